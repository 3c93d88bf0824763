// The board screen: where cells land for a view, what they show as they age,
// the press highlight, the cursor box, the face and the heads-up texts.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/compose.h"
#include "video/sprites.h"

namespace {

constexpr uint32_t Now = 1000000;

class ComposeTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        InstallRecognisableSheet();
        HeadlessSetTicks(Now);
        GameState = Playing;
        AnimationOn = 0;
    }

    static void ViewCell(int32_t x, int32_t y) {
        ViewX = 32 * x + 16;
        ViewY = 32 * y + 16;
    }

    static void SetCover(int32_t x, int32_t y, int8_t cover) {
        CoverState[CellIndex(x, y)] = cover;
    }

    static int64_t Highlights() { return CountPixels(PressHighlightId) / 16; }

    // True when a highlight's centre block lies on the cell drawn at (x, y).
    static bool HighlightedAt(int32_t x, int32_t y) {
        return PixelAt(x + 16, y + 16) == PressHighlightId;
    }

    static bool CursorBoxShown() {
        return PixelAt(303, 223) == CursorBoxId && PixelAt(334, 254) == CursorBoxId;
    }
};

// --- where the cells go ---------------------------------------------------------

TEST_F(ComposeTest, TheCellUnderTheViewLiesUnderTheCursorBox) {
    SetBoardFromArt({"###", "###", "###"});
    ViewX = 16;
    ViewY = 16;
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(2)) << "cell (0, 0) is drawn at (303, 223)";
    EXPECT_TRUE(CursorBoxShown());
    EXPECT_EQ(PixelAt(335, 223), CornerMark) << "cell (1, 0)";
    EXPECT_EQ(PixelAt(367, 287), CornerMark) << "cell (2, 2)";
    EXPECT_TRUE(AreaIsBlank(271, 223, 32, 32)) << "nothing left of the board";
    EXPECT_TRUE(AreaIsBlank(303, 191, 32, 32)) << "nothing above it";
    EXPECT_TRUE(AreaIsBlank(399, 223, 32, 32)) << "nothing right of it";
    EXPECT_TRUE(AreaIsBlank(303, 319, 32, 32)) << "nothing below it";
}

TEST_F(ComposeTest, AtViewOriginTheFirstCellsCornerIsAtTheScreenCentre) {
    SetBoardFromArt({"##", "##"});
    ViewX = 0;
    ViewY = 0;
    ComposeFrame();
    EXPECT_EQ(PixelAt(319, 239), CornerMark);
    EXPECT_EQ(PixelAt(318, 239), 0);
    EXPECT_EQ(PixelAt(319, 238), 0);
}

TEST_F(ComposeTest, CellsKeepTheirTruePositionsWhenTheViewIsBeforeTheBoard) {
    SetBoardFromArt({"##", "##"});
    ViewX = -20;
    ViewY = -31;
    ComposeFrame();
    EXPECT_EQ(PixelAt(339, 270), CornerMark) << "cell (0, 0) at (319 + 20, 239 + 31)";
    EXPECT_EQ(PixelAt(371, 302), CornerMark) << "cell (1, 1)";
}

TEST_F(ComposeTest, TheCellsCoverTheWholeScreenForEveryViewPosition) {
    SetBoardFromArt(std::vector<std::string>(MaxBoardSide, std::string(MaxBoardSide, '#')));
    for (int32_t dx : {0, 1, 16, 31}) {
        for (int32_t dy : {0, 9, 31}) {
            ViewX = 150 * 32 + dx;
            ViewY = 150 * 32 + dy;
            ComposeFrame();
            EXPECT_EQ(CountPixels(0), 0) << "view offset " << dx << ", " << dy;
        }
    }
}

TEST_F(ComposeTest, NothingIsDrawnBeyondTheFarEdgesOfTheBoard) {
    SetBoardFromArt(std::vector<std::string>(MaxBoardSide, std::string(MaxBoardSide, '#')));
    ViewX = 299 * 32 + 31;
    ViewY = 299 * 32 + 31;
    ComposeFrame();
    EXPECT_EQ(PixelAt(288, 208), CornerMark) << "the last cell ends at the screen centre";
    EXPECT_TRUE(AreaIsBlank(336, 100, 200, 140));
    EXPECT_TRUE(AreaIsBlank(100, 256, 200, 140));
}

TEST_F(ComposeTest, VoidCellsLeaveTheBackgroundBlack) {
    SetBoardFromArt({"#.#", "..#"});
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_TRUE(AreaIsBlank(335, 223, 32, 32)) << "cell (1, 0)";
    EXPECT_TRUE(AreaIsBlank(303, 255, 64, 32)) << "cells (0, 1) and (1, 1)";
    EXPECT_EQ(PixelAt(367, 223), CornerMark) << "cell (2, 0)";
    EXPECT_EQ(PixelAt(367, 255), CornerMark) << "cell (2, 1)";
}

// --- what the cells show as they age -------------------------------------------------

TEST_F(ComposeTest, EachCellShowsItsOwnAgeInTenthsOfASecond) {
    AnimationOn = 1;
    SetBoardFromArt({"#####"});
    const uint32_t changed[4] = {Now, Now - 1234, 0, Now - 199};
    const int8_t values[4] = {3, 3, 0, 5};
    for (int32_t x = 0; x < 4; ++x) {
        SetCover(x, 0, Open);
        CellValue[CellIndex(x, 0)] = values[x];
        ChangeTime[CellIndex(x, 0)] = changed[x];
    }
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(44)) << "a 3 just opened";
    EXPECT_EQ(TileIdAt(335, 223), IdOfTile(56)) << "a 3 opened 1.2 s ago";
    EXPECT_EQ(TileIdAt(367, 223), IdOfTile(14)) << "untouched since the layout";
    EXPECT_EQ(TileIdAt(399, 223), IdOfTile(71)) << "a 5 opened 0.19 s ago";
    EXPECT_EQ(TileIdAt(431, 223), IdOfTile(2)) << "a hidden cell";
}

TEST_F(ComposeTest, AgesAreCountedAcrossTheTickCountWrapping) {
    AnimationOn = 1;
    HeadlessSetTicks(0x10);
    SetBoardFromArt({"#"});
    SetCover(0, 0, Open);
    ChangeTime[0] = 0xFFFFFF00u;  // 0x110 ms before
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(11));
}

TEST_F(ComposeTest, WithoutAnimationANewNumberShowsAtRestAtOnce) {
    SetBoardFromArt({"#"});
    SetCover(0, 0, Open);
    CellValue[0] = 3;
    ChangeTime[0] = Now;
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(49));
}

TEST_F(ComposeTest, AfterALossMinesAndWrongFlagsAreShown) {
    GameState = Lost;
    SetBoardFromArt({"*#*"});
    SetCover(1, 0, Flagged);
    SetCover(2, 0, Flagged);
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(15)) << "the hidden mine is revealed";
    EXPECT_EQ(TileIdAt(335, 223), IdOfTile(122)) << "the flag on a safe cell is crossed out";
    EXPECT_EQ(TileIdAt(367, 223), IdOfTile(5)) << "the right flag stays";
}

// --- the press highlight and the cursor box ------------------------------------------

TEST_F(ComposeTest, TheHiddenViewCellIsHighlightedWhileTheLeftButtonIsDownAlone) {
    SetBoardFromArt({"###", "###", "###"});
    ViewCell(1, 1);
    LeftButton = Pressed;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 1);
    EXPECT_TRUE(HighlightedAt(303, 223));

    RightButton = Pressed;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 0) << "with the right button down too";
    LeftButton = Idle;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 0) << "with the right button alone";
    LeftButton = Chording;
    RightButton = Chording;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 0) << "chording on a hidden cell";
}

TEST_F(ComposeTest, AMarkedViewCellIsNotHighlighted) {
    SetBoardFromArt({"#"});
    ViewCell(0, 0);
    LeftButton = Pressed;
    for (int8_t cover : {Flagged, Questioned, Open}) {
        SetCover(0, 0, cover);
        ComposeFrame();
        EXPECT_EQ(Highlights(), 0) << "cover " << int{cover};
    }
}

TEST_F(ComposeTest, ChordingOnAnOpenCellHighlightsItsHiddenNeighbours) {
    SetBoardFromArt({"###", "###", "###"});
    ViewCell(1, 1);
    SetCover(1, 1, Open);
    SetCover(0, 0, Flagged);
    SetCover(2, 0, Open);
    SetCover(0, 2, Questioned);
    for (int32_t which = 0; which < 2; ++which) {
        LeftButton = which == 0 ? Chording : Idle;
        RightButton = which == 1 ? Chording : Pressed;
        ComposeFrame();
        EXPECT_EQ(Highlights(), 5);
        EXPECT_TRUE(HighlightedAt(303, 191)) << "(1, 0)";
        EXPECT_TRUE(HighlightedAt(271, 223)) << "(0, 1)";
        EXPECT_TRUE(HighlightedAt(335, 223)) << "(2, 1)";
        EXPECT_TRUE(HighlightedAt(303, 255)) << "(1, 2)";
        EXPECT_TRUE(HighlightedAt(335, 255)) << "(2, 2)";
    }
}

TEST_F(ComposeTest, ChordingAtTheBoardsCornerStaysOnTheBoard) {
    SetBoardFromArt({"##", "#."});
    ViewCell(0, 0);
    SetCover(0, 0, Open);
    LeftButton = Chording;
    RightButton = Chording;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 2) << "two hidden neighbours; the Void one is no cell";
    EXPECT_TRUE(HighlightedAt(335, 223));
    EXPECT_TRUE(HighlightedAt(303, 255));
}

TEST_F(ComposeTest, NoHighlightWithoutAViewCell) {
    SetBoardFromArt({"##", "##"});
    LeftButton = Pressed;
    ViewX = -20;  // still truncates to column 0, but is off the board
    ViewY = 16;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 0);
    ViewX = 2 * 32;  // one column past the right edge
    ComposeFrame();
    EXPECT_EQ(Highlights(), 0);
}

TEST_F(ComposeTest, HighlightAndCursorBoxBelongToTheBoardScreenOnly) {
    SetBoardFromArt({"#"});
    ViewCell(0, 0);
    LeftButton = Pressed;
    for (int32_t state : {Ready, Playing, Lost, Won}) {
        GameState = state;
        ComposeFrame();
        EXPECT_TRUE(CursorBoxShown()) << "state " << state;
        EXPECT_EQ(Highlights(), 1) << "state " << state;
    }
    for (int32_t state : {Title, NameEntry}) {
        GameState = state;
        ComposeFrame();
        EXPECT_FALSE(CursorBoxShown()) << "state " << state;
        EXPECT_EQ(Highlights(), 0) << "state " << state;
    }
}

// --- the face and the heads-up texts ---------------------------------------------------

TEST_F(ComposeTest, TheFaceShowsTheStateAndTheBlinkPhase) {
    const int32_t faceColumn[6] = {0, 0, 0, 1, 2, 2};
    for (int32_t state = Title; state <= NameEntry; ++state) {
        for (int32_t phase = 0; phase < 2; ++phase) {
            GameState = state;
            FacePhase = phase;
            ComposeFrame();
            EXPECT_EQ(PixelAt(550, 400), FaceId(faceColumn[state], phase)) << state << "/" << phase;
            EXPECT_EQ(PixelAt(613, 463), FaceId(faceColumn[state], phase)) << state << "/" << phase;
        }
    }
}

TEST_F(ComposeTest, ReadyShowsGoNoTimeAndTheFullMineCount) {
    SetBoardFromArt({"*#*", "###"});
    GameState = Ready;
    HighScore = 87;
    std::strcpy(HighScoreName, "Ann");
    ComposeFrame();
    EXPECT_EQ(TextAt(300, 150, 0, 4), "GO !");
    EXPECT_EQ(TextAt(5, 428, 1, 3), "You");
    EXPECT_EQ(TextAt(10, 444, 0, 2), "2 ");
    EXPECT_EQ(TextAt(27, 444, 0, 7), "Mine(s)");
    EXPECT_EQ(TextAt(10, 460, 0, 2), "0 ");
    EXPECT_EQ(TextAt(27, 460, 0, 3), "Sec");
    EXPECT_EQ(TextAt(5, 5, 1, 10), "High-Score");
    EXPECT_EQ(TextAt(10, 20, 0, 3), "87 ");
    EXPECT_EQ(TextAt(39, 20, 0, 3), "Sec");
    EXPECT_EQ(TextAt(10, 36, 0, 4), "Ann ");
    EXPECT_EQ(EndTick, 0u) << "only Playing frames move the clock";
}

TEST_F(ComposeTest, PlayingFramesStampTheEndTickAndShowTheElapsedSeconds) {
    SetBoardFromArt({"*#"});
    MinesLeft = -2;
    StartTick = Now - 12999;
    ComposeFrame();
    EXPECT_EQ(EndTick, Now);
    EXPECT_EQ(TextAt(10, 444, 0, 2), "-2");
    EXPECT_EQ(TextAt(39, 444, 0, 7), "Mine(s)");
    EXPECT_EQ(TextAt(10, 460, 0, 3), "12 ");
    EXPECT_EQ(TextAt(39, 460, 0, 3), "Sec");
    EXPECT_EQ(TextAt(300, 150, 0, 4), "    ") << "no GO ! once playing";
}

TEST_F(ComposeTest, TheTimeStopsAtTheLastPlayingFrame) {
    SetBoardFromArt({"*#"});
    StartTick = Now - 3500;
    ComposeFrame();
    for (int32_t state : {Won, Lost, NameEntry, Ready}) {
        GameState = state;
        HeadlessAdvanceTicks(5000);
        ComposeFrame();
        EXPECT_EQ(EndTick, Now) << "state " << state;
    }
    GameState = Won;
    ComposeFrame();
    EXPECT_EQ(TextAt(10, 460, 0, 2), "3 ");
}

TEST_F(ComposeTest, TheEndOfAGameIsAnnounced) {
    SetBoardFromArt({"*#"});
    GameState = Lost;
    ComposeFrame();
    EXPECT_EQ(TextAt(240, 150, 0, 14), "Game Is Over !");
    GameState = Won;
    ComposeFrame();
    EXPECT_EQ(TextAt(230, 150, 0, 16), "Congratulation !");
    GameState = Playing;
    ComposeFrame();
    EXPECT_EQ(TextAt(230, 150, 0, 16), std::string(16, ' '));
}

TEST_F(ComposeTest, EveryFrameIsShown) {
    ASSERT_EQ(InitDisplay(CreateGameWindow("Torvex", DefWindowProc, "icon1"), 640, 480, 640, 480),
              1);
    SetBoardFromArt({"##"});
    ComposeFrame();
    ComposeFrame();
    EXPECT_EQ(HeadlessFramesPresented(), 2u);
    EXPECT_EQ(std::memcmp(HeadlessFramePixels(), BackBuffer, sizeof(BackBuffer)), 0);
    EXPECT_EQ(HeadlessFramePalette()[7].blue, 7) << "with the sheet's palette";
}

}  // namespace
