// SPDX-License-Identifier: MIT
// Laying out a game: the generator's sequence, the layout a seed gives, a
// clean board for every game, and first-click safety (a mine under the first
// opened cell moves elsewhere, the counts around both places are repaired,
// and the player's marks are respected).
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/board/board_checks.h"

namespace {

class LayoutTest : public GameTest {};

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

TEST_F(LayoutTest, AKnownSeedGivesAKnownGameAndTheNextGameStartsClean) {
    SetBoardFromArt({"#########", "#..######", "#..######", "#########", "######.##", "#########"});
    MineCount = 10;
    SeedRandom(2);
    NewGame();
    // Worked out by hand from the draws of seed 2: x before y, one redraw on
    // a Void cell and one on a cell that already held a mine.
    EXPECT_EQ(ValueArt(), Lines({"*101222*1", "2..1**211", "*..133211", "11012*11*", "0001*3.32",
                                 "000112**1"}));

    // The next x and y draws put the corner's mine at (0, 4); the corner is
    // now a 0 and its empty region opens.
    GameState = Playing;
    MarkAt(8, 5);
    OpenAt(0, 0);
    EXPECT_EQ(ValueArt(), Lines({"0001222*1", "1..1**211", "*..133211", "22012*11*", "*101*3.32",
                                 "110112**1"}));
    EXPECT_EQ(CoverArt(), Lines({"OOOOHHHHH", "O  OHHHHH", "H  HHHHHH", "HHHHHHHHH", "HHHHHH HH",
                                 "HHHHHHHHF"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(NextRandom(), 5962) << "12 pairs of draws for the layout, one for the move";
    EXPECT_TRUE(BoardInvariantsHold());

    StartTick = 1000;
    EndTick = 5000;
    ResultPending = WinPending;  // a win the old game did not get to complete
    GameState = Title;
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
    EXPECT_EQ(EndTick - StartTick, 0u);
}

TEST_F(LayoutTest, MinesFillAllButOneCellAndNoMoreWithoutHanging) {
    // The map loader refuses maps with too many mines; should one get
    // through, the game keeps one safe cell rather than draw for ever.
    const struct {
        Lines map;
        int32_t mines, placed;
    } cases[] = {{{"###", "###"}, 5, 5},   {{"###", "###"}, 6, 5},  {{"###", "###"}, 7, 5},
                 {{"###", "###"}, 500, 5}, {{"###", "###"}, -3, 0}, {{"#"}, 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mines);
        SetBoardFromArt(c.map);
        MineCount = c.mines;
        NewGame();
        EXPECT_EQ(MineCount, c.placed);
        EXPECT_TRUE(BoardInvariantsHold()) << "MineCount mines were laid";
    }
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
        ASSERT_EQ(FirstClick, 1) << "marks do not use up the first opening";
        SeedRandom(seed);
        OpenAt(1, 1);
        EXPECT_EQ(GameState, Playing);
        EXPECT_EQ(CoverArt(), Lines({"FHH", "HO?", "HHH"}));
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
    SeedRandom(0);    // draws (2, 1) and (1, 1), mines, twice, then the flag (1, 0)
    OpenAt(0, 0);     // would draw for ever looking for a Hidden safe cell
    EXPECT_EQ(ValueArt(), Lines({"2**", "2**"}));
    EXPECT_EQ(CoverArt(), Lines({"OFH", "?HH"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(MinesLeft, 4 - 1);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(LayoutTest, OnlyAMineUnderTheFirstOpeningMovesAndOnlyWhereItCan) {
    // A safe first cell moves nothing and uses up no draw.
    SetBoardFromArt({"*##", "###", "##*"});
    GameState = Playing;
    SeedRandom(0);
    OpenAt(2, 0);
    EXPECT_EQ(ValueArt(), Lines({"*10", "121", "01*"}));
    EXPECT_EQ(NextRandom(), 38) << "the first draw of seed 0 is still to come";
    EXPECT_EQ(FirstClick, 0) << "a safe first opening uses up the protection too";
    OpenAt(2, 2);
    EXPECT_EQ(GameState, Lost);
    // On a full board (the map loader never hands one over) a mine stays.
    SetBoardFromArt({"**"});
    RelocateFirstMine(0, 0);
    EXPECT_EQ(ValueArt(), Lines({"**"}));
}

}  // namespace
