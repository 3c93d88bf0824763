// Random play on random maps: whatever the shape of the field and whatever
// the player does, the Board stays consistent after every move and every
// clock step, the first opening never loses, and every game ends in a
// proper win or loss.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "board/random.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/board/board_checks.h"
#include "tests/support/game_fixture.h"

namespace {

class InvariantsTest : public GameTest {
  protected:
    std::mt19937 chooser{20240611};  // the test's own choices, apart from the game's generator

    int32_t Pick(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(chooser);
    }

    // A field of random size and shape: Void cells sprinkled at a random
    // density, sometimes in whole bands, at least two playable cells.
    void LoadRandomMap() {
        std::vector<std::string> rows;
        do {
            const int32_t width = Pick(1, Pick(0, 9) == 0 ? 80 : 24);
            const int32_t height = Pick(1, Pick(0, 9) == 0 ? 80 : 24);
            const int32_t voidPercent = Pick(0, 60);
            const int32_t band = Pick(0, 3) == 0 ? Pick(0, width - 1) : -1;
            rows.assign(height, std::string(width, '#'));
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    if (x == band || Pick(0, 99) < voidPercent)
                        rows[y][x] = '.';
                }
            }
            SetBoardFromArt(rows);
        } while (PlayableCount < 2);
        MineCount = Pick(0, Pick(0, 3) == 0 ? PlayableCount - 1 : PlayableCount / 5);
    }

    // A random cell of the map; mostly inside it, sometimes the view sits
    // just beyond its edges, where no cell is under it.
    void AimSomewhere() {
        if (Pick(0, 19) == 0) {
            ViewX = Pick(-32, BoardWidth * CellPixels + 32);
            ViewY = Pick(-32, BoardHeight * CellPixels + 32);
        } else {
            AimAt(Pick(0, BoardWidth - 1), Pick(0, BoardHeight - 1));
        }
    }

    // Aims at a random cell for which `wanted` holds; false when there is none.
    template <typename Predicate>
    bool AimAtSome(Predicate wanted) {
        std::vector<std::pair<int32_t, int32_t>> cells;
        for (int32_t x = 0; x < BoardWidth; ++x) {
            for (int32_t y = 0; y < BoardHeight; ++y) {
                if (wanted(CellIndex(x, y)))
                    cells.emplace_back(x, y);
            }
        }
        if (cells.empty())
            return false;
        const auto [x, y] = cells[Pick(0, static_cast<int32_t>(cells.size()) - 1)];
        AimAt(x, y);
        return true;
    }

    // One move of a player who mixes blind clicks with sensible ones, so
    // that games are both won and lost.
    void PlayOneMove() {
        const int32_t kind = Pick(0, 99);
        if (kind < 35) {
            AimSomewhere();
            OpenAtView();
        } else if (kind < 60) {
            if (AimAtSome(
                    [](int32_t i) { return CoverState[i] == Hidden && CellValue[i] != Mine; })) {
                OpenAtView();
            }
        } else if (kind < 75) {
            AimSomewhere();
            CycleMarkAtView();
        } else if (kind < 85) {
            if (AimAtSome(
                    [](int32_t i) { return CoverState[i] == Hidden && CellValue[i] == Mine; })) {
                CycleMarkAtView();
            }
        } else if (kind < 90) {
            // Taking a wrong mark back off: a marked safe cell would keep
            // the board from ever being complete.
            const auto wronglyMarked = [](int32_t i) {
                return (CoverState[i] == Flagged || CoverState[i] == Questioned) &&
                       CellValue[i] != Mine;
            };
            if (AimAtSome(wronglyMarked))
                CycleMarkAtView();
        } else {
            if (!AimAtSome([](int32_t i) { return CoverState[i] == Open; }))
                AimSomewhere();
            ChordAtView();
        }
    }
};

TEST_F(InvariantsTest, RandomPlayOnRandomMapsKeepsTheBoardConsistent) {
    SeedRandom(77);
    SoundOn = 0;
    int32_t wins = 0;
    int32_t losses = 0;
    for (int32_t map = 0; map < 150; ++map) {
        LoadRandomMap();
        for (int32_t game = 0; game < 3; ++game) {
            QuestionMarksOn = Pick(0, 1);
            NewGame();
            ASSERT_TRUE(BoardInvariantsHold()) << "map " << map << " after NewGame";
            GameState = Playing;  // the first button press starts the clock
            for (int32_t move = 0; GameState == Playing; ++move) {
                ASSERT_LT(move, 20000) << "map " << map << ": a game that never ends";
                const bool firstOpening = FirstClick == 1;
                PlayOneMove();
                ASSERT_EQ(FloodCount, 0);
                if (firstOpening && FirstClick == 0) {
                    ASSERT_NE(GameState, Lost) << "map " << map << ": the first opening lost";
                }
                ASSERT_TRUE(BoardInvariantsHold()) << "map " << map << ", move " << move;
                if (Pick(0, 2) == 0) {
                    RunClockStep();
                    ASSERT_TRUE(BoardInvariantsHold()) << "map " << map << ", clock step";
                }
            }
            ClockStep();  // completes a win still pending
            ASSERT_TRUE(BoardInvariantsHold()) << "map " << map << " at the end";
            if (GameState == Won) {
                ++wins;
                ASSERT_EQ(MinesLeft, 0) << "map " << map;
                for (int32_t x = 0; x < BoardWidth; ++x) {
                    for (int32_t y = 0; y < BoardHeight; ++y) {
                        const int32_t i = CellIndex(x, y);
                        if (CoverState[i] == Void)
                            continue;
                        ASSERT_EQ(CoverState[i], CellValue[i] == Mine ? Flagged : Open)
                            << "map " << map << " cell " << x << ", " << y;
                    }
                }
            } else {
                ASSERT_EQ(GameState, Lost);
                ++losses;
            }
        }
    }
    // The random player must have reached both ends often enough for the
    // checks above to mean something.
    EXPECT_GT(wins, 50);
    EXPECT_GT(losses, 50);
}

}  // namespace
