// SPDX-License-Identifier: MIT
// Layouts without a guess: at the first opening the mines are rearranged so
// that the opened cell opens an area, every other region opens a starting
// area of its own, the counts and the rules of the Board still hold, and the
// solver clears the field from there. A seed and a click always give the
// same layout; without the option nothing of the first opening changes; and
// the trying stops when its budget runs out.
#include "board/no_guess_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "state/options.h"
#include "tests/board/board_checks.h"

namespace {

// Fields worked on below, drawn as in the other board tests.
const Lines ExpertField(16, std::string(30, '#'));

// Narrow bends, a hole and a corridor one cell wide.
const Lines WindingField = {"####################", "####################", "......############.#",
                            "###################.", "###.....#......####.", "###.###.#.####.####.",
                            "###.###...####......", "###.################", "###.................",
                            "####################"};

// Three regions: a large one, a single cell and a pair of cells.
const Lines IslandsField = {"############....#", "############.....", "############...##",
                            "############.....", "############.....", "############.....",
                            "############.....", "############....."};

class NoGuessTest : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        NoGuessOn = 1;
    }

    // A game on the field with `mines`, dealt from `seed`, and its first
    // opening at (x, y) made as a player makes it.
    static void PlayFirstOpening(const Lines& field, int32_t mines, uint32_t seed, int32_t x,
                                 int32_t y) {
        SetBoardFromArt(field);
        MineCount = mines;
        SeedRandom(seed);
        NewGame();
        GameState = Playing;
        OpenAt(x, y);
    }
};

// The region of every cell of the field (-1 for Void): cells that touch at
// a side or a corner belong together.
std::vector<int32_t> Regions(int32_t* count) {
    std::vector<int32_t> region(BoardCells, -1);
    *count = 0;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            if (CoverState[CellIndex(x, y)] == Void || region[CellIndex(x, y)] >= 0)
                continue;
            std::vector<int32_t> stack = {CellIndex(x, y)};
            region[stack[0]] = *count;
            while (!stack.empty()) {
                const int32_t cell = stack.back();
                stack.pop_back();
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    for (int32_t dy = -1; dy <= 1; ++dy) {
                        const int32_t nx = cell / MaxBoardSide + dx;
                        const int32_t ny = cell % MaxBoardSide + dy;
                        if (!InsideBoard(nx, ny) || CoverState[CellIndex(nx, ny)] == Void ||
                            region[CellIndex(nx, ny)] >= 0) {
                            continue;
                        }
                        region[CellIndex(nx, ny)] = *count;
                        stack.push_back(CellIndex(nx, ny));
                    }
                }
            }
            ++*count;
        }
    }
    return region;
}

// Whether (x, y) and its neighbours hold no mine and (x, y) is open.
bool OpenArea(int32_t x, int32_t y) {
    if (CoverState[CellIndex(x, y)] != Open)
        return false;
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if (InsideBoard(x + dx, y + dy) && CellValue[CellIndex(x + dx, y + dy)] == Mine)
                return false;
        }
    }
    return true;
}

TEST_F(NoGuessTest, EveryFirstOpeningOpensAreasAndTheSolverClearsTheRestWithoutAGuess) {
    const struct {
        const Lines* field;
        int32_t mines;
        int32_t x;
        int32_t y;
    } games[] = {{&ExpertField, 99, 15, 8},
                 {&ExpertField, 130, 0, 0},
                 {&WindingField, 30, 10, 1},
                 {&IslandsField, 17, 5, 4}};
    for (const auto& game : games) {
        for (uint32_t seed = 1; seed <= 25; ++seed) {
            SCOPED_TRACE(testing::Message() << game.mines << " mines, seed " << seed);
            PlayFirstOpening(*game.field, game.mines, seed, game.x, game.y);
            ASSERT_EQ(GameState, Playing);
            ASSERT_TRUE(BoardInvariantsHold());  // the mine count, Void cells empty, every count
            EXPECT_TRUE(OpenArea(game.x, game.y)) << "the opened cell opens an area";

            // Every other region has opened a starting area of its own.
            int32_t regions = 0;
            const std::vector<int32_t> region = Regions(&regions);
            std::vector<bool> started(static_cast<size_t>(regions), false);
            for (int32_t x = 0; x < BoardWidth; ++x) {
                for (int32_t y = 0; y < BoardHeight; ++y) {
                    if (region[CellIndex(x, y)] >= 0 && OpenArea(x, y))
                        started[region[CellIndex(x, y)]] = true;
                }
            }
            EXPECT_EQ(std::count(started.begin(), started.end(), true), regions);

            EXPECT_TRUE(SolverClearsBoard()) << testing::PrintToString(ValueArt());
        }
    }
}

TEST_F(NoGuessTest, TheSameSeedAndClickGiveTheSameLayoutAndDraws) {
    PlayFirstOpening(ExpertField, 99, 42, 3, 12);
    const Lines first = ValueArt();
    const int32_t nextDraw = NextRandom();
    PlayFirstOpening(ExpertField, 99, 42, 3, 12);
    EXPECT_EQ(ValueArt(), first);
    EXPECT_EQ(NextRandom(), nextDraw);
    PlayFirstOpening(ExpertField, 99, 43, 3, 12);
    EXPECT_NE(ValueArt(), first) << "another seed, another layout";
}

TEST_F(NoGuessTest, WithoutTheOptionTheFirstOpeningIsTheUsualOne) {
    NoGuessOn = 0;
    SetBoardFromArt(ExpertField);
    MineCount = 99;
    SeedRandom(5);
    NewGame();
    RelocateFirstMine(15, 8);
    const Lines usual = ValueArt();
    const int32_t nextDraw = NextRandom();

    PlayFirstOpening(ExpertField, 99, 5, 15, 8);
    EXPECT_EQ(ValueArt(), usual);
    EXPECT_EQ(NextRandom(), nextDraw) << "no draw more than the usual ones";
}

// When a starting area cannot be freed (7 of the 8 cells of this field are
// the opened cell and its neighbours), the opened cell still holds no mine
// and a layout the solver clears is still found.
TEST_F(NoGuessTest, AFieldTooSmallForAStartingAreaStillGetsALayoutWithoutAGuess) {
    const Lines corners = {".##.", "####", ".##."};
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        PlayFirstOpening(corners, 2, seed, 2, 1);
        ASSERT_EQ(GameState, Playing);
        ASSERT_TRUE(BoardInvariantsHold());
        EXPECT_NE(CellValue[CellIndex(2, 1)], Mine);
        EXPECT_TRUE(SolverClearsBoard());
    }
}

// A region's start is never a cell the player has marked; a region whose
// every cell is marked gets none.
TEST_F(NoGuessTest, MarkedCellsAreNeverAStart) {
    const Lines field = {"########.#.##", "########.....", "########...##"};
    for (uint32_t seed = 1; seed <= 10; ++seed) {
        SCOPED_TRACE(seed);
        SetBoardFromArt(field);
        MineCount = 4;
        SeedRandom(seed);
        NewGame();
        GameState = Playing;
        QuestionMarksOn = 1;
        MarkAt(9, 0);      // the single cell
        MarkAt(11, 0, 2);  // a question mark on one of the pair
        MarkAt(12, 2);
        OpenAt(2, 1);
        ASSERT_EQ(GameState, Playing);
        EXPECT_EQ(CoverState[CellIndex(9, 0)], Flagged);
        EXPECT_EQ(CoverState[CellIndex(11, 0)], Questioned);
        EXPECT_EQ(CoverState[CellIndex(12, 2)], Flagged);
        // The other cell of each pair is its start.
        EXPECT_EQ(CoverState[CellIndex(12, 0)], Open);
        EXPECT_EQ(CoverState[CellIndex(11, 2)], Open);
        EXPECT_TRUE(BoardInvariantsHold());
    }
}

// The budget: work counted in the solver's steps, and the clock. Either
// ends the trying after the pass it is in; the game then plays the best
// layout found, which still keeps every rule of the Board.
TEST_F(NoGuessTest, TheTryingEndsWhenTheBudgetRunsOut) {
    NoGuessOn = 0;  // the layout is made by hand below
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(seed);
        for (const bool byClock : {false, true}) {
            SetBoardFromArt(ExpertField);
            MineCount = 170;  // too dense for the first pass to clear the field
            SeedRandom(seed);
            NewGame();
            RelocateFirstMine(15, 8);
            NoGuessLimits limits;
            if (byClock) {
                limits.milliseconds = 0;
            } else {
                limits.work = 0;
            }
            const NoGuessOutcome outcome = ArrangeNoGuessLayout(15, 8, limits);
            EXPECT_FALSE(outcome.solved);
            EXPECT_EQ(outcome.passes, 1);
            EXPECT_EQ(outcome.timedOut, byClock);
            EXPECT_TRUE(outcome.startsClear);
            EXPECT_TRUE(BoardInvariantsHold());
            GameState = Playing;
            FirstClick = 0;
            OpenAt(15, 8);
            EXPECT_TRUE(OpenArea(15, 8));
        }
    }
}

}  // namespace
