// Laying out a game: the generator's sequence, the layout a seed gives, a
// clean board for every game, and first-click safety (a mine under the first
// opened cell moves elsewhere, the counts around both places are repaired,
// and the player's marks are respected).
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/board/board_checks.h"

namespace {

// A map with a Void hole and a lone Void cell.
const Lines HoleyMap = {"#########", "#..######", "#..######",
                        "#########", "######.##", "#########"};

class LayoutTest : public GameTest {
  protected:
    void LoadMap(const Lines& rows, int32_t mines) {
        SetBoardFromArt(rows);
        MineCount = mines;
    }
};

TEST(RandomTest, KnownSeedsGiveTheClassicSequence) {
    SeedRandom(0);
    for (int32_t expected : {38, 7719, 21238, 2437, 8855})
        EXPECT_EQ(NextRandom(), expected);
    SeedRandom(1);
    for (int32_t expected : {41, 18467, 6334})
        EXPECT_EQ(NextRandom(), expected);
    // The state is a full 32 bits and wraps; only bits 16..30 come out.
    SeedRandom(0xFFFFFFFFu);
    for (int32_t expected : {35, 29739, 3374})
        EXPECT_EQ(NextRandom(), expected);
    // A range takes the remainder of one draw, even a range of one value.
    SeedRandom(0);
    EXPECT_EQ(RandomInRange(0, 1), 0);      // 38 % 2
    EXPECT_EQ(RandomInRange(0, 1), 1);      // 7719 % 2
    EXPECT_EQ(RandomInRange(-3, 3), -3);    // -3 + 21238 % 7 (= 0)
    EXPECT_EQ(RandomInRange(5, 5), 5);      // uses up 2437...
    EXPECT_EQ(RandomInRange(0, 299), 155);  // ...so this is 8855 % 300
}

TEST_F(LayoutTest, KnownSeedGivesKnownLayoutAndMovesTheCornerMineToAKnownCell) {
    LoadMap(HoleyMap, 10);
    SeedRandom(2);
    NewGame();
    // Worked out by hand from the draws of seed 2: x before y, one redraw on
    // a Void cell and one on a cell that already held a mine.
    EXPECT_EQ(ValueArt(), Lines({"*101222*1", "2..1**211", "*..133211", "11012*11*", "0001*3.32",
                                 "000112**1"}));
    EXPECT_TRUE(BoardInvariantsHold());

    // The next x and y draws of seed 2 put the corner's mine at (0, 4); the
    // corner is now a 0 and its empty region opens.
    GameState = Playing;
    OpenAt(0, 0);
    EXPECT_EQ(ValueArt(), Lines({"0001222*1", "1..1**211", "*..133211", "22012*11*", "*101*3.32",
                                 "110112**1"}));
    EXPECT_EQ(CoverArt(), Lines({"OOOOHHHHH", "O  OHHHHH", "H  HHHHHH", "HHHHHHHHH", "HHHHHH HH",
                                 "HHHHHHHHH"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(FirstClick, 0);
    EXPECT_EQ(NextRandom(), 5962) << "12 pairs of draws for the layout, one for the move";
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(LayoutTest, ANewGameStartsReadyOnAWipedBoard) {
    LoadMap(HoleyMap, 10);
    SeedRandom(7);
    NewGame();
    GameState = Playing;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        MarkAt(x, 3);
        OpenAt(x, 5);
    }
    StartTick = 1000;
    EndTick = 5000;
    ResultPending = WinPending;  // a win the old game did not get to complete
    GameState = Title;
    VoiceCountdown = 1;  // a cue still pending from the last game keeps its place
    WinVoiceCountdown = 3;
    FacePhase = 1;
    NewGame();
    EXPECT_EQ(CoverArt(), Lines({"HHHHHHHHH", "H  HHHHHH", "H  HHHHHH", "HHHHHHHHH", "HHHHHH HH",
                                 "HHHHHHHHH"}));
    const auto zero = [](auto value) { return value == 0; };
    EXPECT_TRUE(std::all_of(ChangeTime, ChangeTime + BoardCells, zero));
    EXPECT_TRUE(std::all_of(FloodMark, FloodMark + BoardCells, zero));
    EXPECT_EQ(ResultPending, NoResult) << "the old game's win must not complete on the new board";
    EXPECT_TRUE(BoardInvariantsHold());
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(FirstClick, 1);
    EXPECT_EQ(ViewX, 4 * 32) << "the middle column of nine";
    EXPECT_EQ(ViewY, 3 * 32) << "row 6 / 2";
    EXPECT_EQ(StartTick, 0u);
    EXPECT_EQ(EndTick, 0u);
    EXPECT_EQ(VoiceCountdown, 1);
    EXPECT_EQ(WinVoiceCountdown, 3);
    EXPECT_EQ(FacePhase, 1);
}

TEST_F(LayoutTest, MinesFillAllButOneCellAndNoMoreWithoutHanging) {
    // The map loader refuses maps with too many mines; should one get
    // through, the game keeps one safe cell rather than draw for ever.
    const struct { int32_t mines, placed; } cases[] = {{5, 5}, {6, 5}, {7, 5}, {500, 5}, {-3, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mines);
        LoadMap({"###", "###"}, c.mines);
        NewGame();
        EXPECT_EQ(MineCount, c.placed);
        EXPECT_EQ(CountMines(), c.placed);
        EXPECT_TRUE(BoardInvariantsHold());
    }
    LoadMap({"#"}, 1);
    NewGame();
    EXPECT_EQ(CountMines(), 0);
}

TEST_F(LayoutTest, AMineLandingNextToTheOpenedCellRaisesItsCount) {
    SetBoardFromArt({"*##", "###"});
    GameState = Playing;
    // Flags on every safe cell but (1, 0): the mine can only go there.
    for (auto [x, y] : {std::pair{2, 0}, {0, 1}, {1, 1}, {2, 1}})
        MarkAt(x, y);
    OpenAt(0, 0);
    EXPECT_EQ(ValueArt(), Lines({"1*1", "111"}));
    EXPECT_EQ(CoverArt(), Lines({"OHF", "FFF"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(MinesLeft, 1 - 4);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(LayoutTest, MarksPlacedBeforeTheFirstOpeningNeverReceiveTheMine) {
    for (uint32_t seed = 0; seed < 100; ++seed) {
        SCOPED_TRACE(seed);
        StartFixedGame({"##*", "#*#", "###"});
        FirstClick = 1;
        MarkAt(0, 0);     // a flag next to the mine
        MarkAt(2, 1, 2);  // a question mark next to it too
        ASSERT_EQ(CoverState[CellIndex(2, 1)], Questioned);
        ASSERT_EQ(FirstClick, 1) << "marks do not use up the first opening";
        SeedRandom(seed);
        OpenAt(1, 1);
        EXPECT_EQ(GameState, Playing);
        EXPECT_NE(CellValue[CellIndex(0, 0)], Mine);
        EXPECT_NE(CellValue[CellIndex(2, 1)], Mine);
        ASSERT_TRUE(BoardInvariantsHold());
    }
}

TEST_F(LayoutTest, WhenEverySafeCellIsMarkedTheMineGoesUnderAMark) {
    SetBoardFromArt({"*#*", "#**"});
    GameState = Playing;
    MarkAt(1, 0);
    MarkAt(0, 1, 2);  // Questioned
    OpenAt(0, 0);     // would draw for ever looking for a Hidden safe cell
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(CellValue[CellIndex(0, 0)], 2) << "(1, 1) and the moved mine";
    EXPECT_TRUE(CellValue[CellIndex(1, 0)] == Mine || CellValue[CellIndex(0, 1)] == Mine);
    EXPECT_EQ(MinesLeft, 4 - 1);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(LayoutTest, AMineThatCannotOrNeedNotMoveStaysAndDrawsNothing) {
    const struct {
        Lines art;
        int32_t x, y;
    } cases[] = {
        {{"**"}, 0, 0},          // a full board: the map loader never hands one over
        {{"*##", "###"}, 2, 1},  // a safe cell
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.art[0]);
        SetBoardFromArt(c.art);
        const Lines before = ValueArt();
        SeedRandom(0);
        RelocateFirstMine(c.x, c.y);
        EXPECT_EQ(ValueArt(), before);
        EXPECT_EQ(NextRandom(), 38) << "the first draw of seed 0 is still to come";
    }
}

TEST_F(LayoutTest, OnlyTheFirstOpeningIsProtected) {
    SetBoardFromArt({"*##", "###", "##*"});
    GameState = Playing;
    OpenAt(1, 1);
    EXPECT_EQ(FirstClick, 0) << "a safe first opening uses up the protection too";
    OpenAt(2, 2);
    EXPECT_EQ(GameState, Lost);
}

}  // namespace
