// First-click safety: a mine under the first opened cell moves elsewhere,
// the counts around both places are repaired, and the player's marks are
// respected.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/game_state.h"
#include "board/board.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "board/random.h"
#include "files/settings.h"
#include "tests/board/board_checks.h"
#include "tests/support/game_fixture.h"

namespace {

class RelocateTest : public GameTest {};

TEST_F(RelocateTest, KnownSeedMovesTheFirstMineToAKnownCell) {
    SetBoardFromArt({
        "#########",  //
        "#..######",  //
        "#..######",  //
        "#########",  //
        "######.##",  //
        "#########",  //
    });
    MineCount = 10;
    SeedRandom(2);
    NewGame();  // puts a mine in the corner (0, 0), see new_game_test.cpp
    ASSERT_EQ(CellValue[CellIndex(0, 0)], Mine);
    GameState = Playing;
    AimAt(0, 0);
    OpenAtView();
    // The next draws of seed 2 put it at (0, 4); the corner is now a 0 and
    // its empty region opens.
    const std::vector<std::string> values = {
        "0001222*1",  //
        "1..1**211",  //
        "*..133211",  //
        "22012*11*",  //
        "*101*3.32",  //
        "110112**1",  //
    };
    EXPECT_EQ(ValueArt(), values);
    const std::vector<std::string> covers = {
        "OOOOHHHHH",  //
        "O  OHHHHH",  //
        "H  HHHHHH",  //
        "HHHHHHHHH",  //
        "HHHHHH HH",  //
        "HHHHHHHHH",  //
    };
    EXPECT_EQ(CoverArt(), covers);
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(FirstClick, 0);
    EXPECT_EQ(NextRandom(), 5962) << "the move took exactly one x and y draw";
    EXPECT_TRUE(BoardInvariantsHold());
}

bool Touching(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
    return std::abs(ax - bx) <= 1 && std::abs(ay - by) <= 1;
}

TEST_F(RelocateTest, CornerMineLeavesTheCornerCountingItsThreeNeighbours) {
    const std::vector<std::string> art = {
        "**##",  //
        "#*##",  //
        "####",  //
    };
    SetBoardFromArt(art);
    ASSERT_EQ(ValueArt(), std::vector<std::string>({"**20", "3*20", "1110"}));
    for (uint32_t seed = 0; seed < 50; ++seed) {
        SetBoardFromArt(art);
        SeedRandom(seed);
        RelocateFirstMine(0, 0);
        ASSERT_NE(CellValue[CellIndex(0, 0)], Mine) << "seed " << seed;
        ASSERT_EQ(CountMines(), 3) << "seed " << seed;
        ASSERT_TRUE(BoardInvariantsHold()) << "seed " << seed;
        int32_t landedX = -1;
        int32_t landedY = -1;
        for (int32_t x = 0; x < BoardWidth; ++x) {
            for (int32_t y = 0; y < BoardHeight; ++y) {
                const bool original = (x == 1 && y == 0) || (x == 1 && y == 1);
                if (!original && CellValue[CellIndex(x, y)] == Mine) {
                    landedX = x;
                    landedY = y;
                }
            }
        }
        ASSERT_GE(landedX, 0) << "seed " << seed;
        // The corner counts its two remaining neighbour mines, one more when
        // the moved mine landed beside it.
        EXPECT_EQ(CellValue[CellIndex(0, 0)], 2 + Touching(landedX, landedY, 0, 0))
            << "seed " << seed;
        // (0, 1) lost the corner's mine: 3 became 2, and one more again when
        // the mine landed beside it.
        if (landedX != 0 || landedY != 1) {
            EXPECT_EQ(CellValue[CellIndex(0, 1)], 2 + Touching(landedX, landedY, 0, 1))
                << "seed " << seed;
        }
    }
}

TEST_F(RelocateTest, AMineLandingNextToTheOpenedCellRaisesItsCount) {
    SetBoardFromArt({
        "*##",  //
        "###",  //
    });
    GameState = Playing;
    // Flags on every safe cell but (1, 0): the mine can only go there.
    for (auto [x, y] : {std::pair{2, 0}, {0, 1}, {1, 1}, {2, 1}}) {
        AimAt(x, y);
        CycleMarkAtView();
    }
    AimAt(0, 0);
    OpenAtView();
    EXPECT_EQ(ValueArt(), std::vector<std::string>({"1*1", "111"}));
    EXPECT_EQ(CoverArt(), std::vector<std::string>({"OHF", "FFF"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(MinesLeft, 1 - 4);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(RelocateTest, FlagsPlacedBeforeTheFirstOpeningNeverReceiveTheMine) {
    for (uint32_t seed = 0; seed < 100; ++seed) {
        StartFixedGame({
            "##*",  //
            "#*#",  //
            "###",  //
        });
        FirstClick = 1;
        QuestionMarksOn = 1;
        AimAt(0, 0);
        CycleMarkAtView();  // a flag next to the mine
        AimAt(2, 1);
        CycleMarkAtView();
        CycleMarkAtView();  // a question mark next to it too (question marks are on)
        ASSERT_EQ(CoverState[CellIndex(2, 1)], Questioned);
        ASSERT_EQ(FirstClick, 1) << "marks do not use up the first opening";
        SeedRandom(seed);
        AimAt(1, 1);
        OpenAtView();
        EXPECT_EQ(GameState, Playing) << "seed " << seed;
        EXPECT_NE(CellValue[CellIndex(0, 0)], Mine) << "seed " << seed;
        EXPECT_NE(CellValue[CellIndex(2, 1)], Mine) << "seed " << seed;
        EXPECT_EQ(CountMines(), 2) << "seed " << seed;
        ASSERT_TRUE(BoardInvariantsHold()) << "seed " << seed;
    }
}

TEST_F(RelocateTest, WhenEverySafeCellIsMarkedTheMineGoesUnderAMark) {
    SetBoardFromArt({
        "*#*",  //
        "#**",  //
    });
    GameState = Playing;
    QuestionMarksOn = 1;
    AimAt(1, 0);
    CycleMarkAtView();
    AimAt(0, 1);
    CycleMarkAtView();
    CycleMarkAtView();  // Questioned
    AimAt(0, 0);
    OpenAtView();  // would draw for ever looking for a Hidden safe cell
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(CellValue[CellIndex(0, 0)], 2) << "(1, 1) and the moved mine";
    EXPECT_TRUE(CellValue[CellIndex(1, 0)] == Mine || CellValue[CellIndex(0, 1)] == Mine);
    EXPECT_EQ(CountMines(), 4);
    EXPECT_EQ(MinesLeft, 4 - 1);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(RelocateTest, AMineWithNowhereToGoStays) {
    SetBoardFromArt({"**"});
    RelocateFirstMine(0, 0);  // a full board: the map loader never hands one over
    EXPECT_EQ(ValueArt(), std::vector<std::string>({"**"}));
}

TEST_F(RelocateTest, ASafeFirstCellMovesNothingAndDrawsNothing) {
    SetBoardFromArt({"*##", "###"});
    SeedRandom(0);
    RelocateFirstMine(2, 1);
    EXPECT_EQ(ValueArt(), std::vector<std::string>({"*10", "110"}));
    EXPECT_EQ(NextRandom(), 38) << "the first draw of seed 0 is still to come";
}

TEST_F(RelocateTest, OnlyTheFirstOpeningIsProtected) {
    SetBoardFromArt({"*##", "###", "##*"});
    GameState = Playing;
    AimAt(1, 1);
    OpenAtView();
    EXPECT_EQ(FirstClick, 0) << "a safe first opening uses up the protection too";
    AimAt(2, 2);
    OpenAtView();
    EXPECT_EQ(GameState, Lost);
}

}  // namespace
