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

TEST_F(ComposeTest, CellsLandWhereTheViewPutsThemAndNothingIsDrawnBeyondTheBoardOrOnVoid) {
    SetBoardFromArt({"###", "#.#", "###"});
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_TRUE(CursorBoxShown());
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(RaisedTile)) << "cell (0, 0) lies under the cursor box";

    // The view point is always screen pixel (319, 239); where cell (0, 0) then starts.
    const int32_t views[][4] = {
        {20, 10, 299, 229}, {0, 0, 319, 239}, {-20, -31, 339, 270}, {95, 90, 224, 149}};
    for (const auto& view : views) {
        SCOPED_TRACE(testing::Message() << "view " << view[0] << ", " << view[1]);
        ViewX = view[0];
        ViewY = view[1];
        ComposeFrame();
        for (int32_t i = 0; i < 3; ++i) {
            for (int32_t j = 0; j < 3; ++j) {
                if (i != 1 || j != 1) {
                    EXPECT_EQ(PixelAt(view[2] + 32 * i, view[3] + 32 * j), CornerMark) << i << j;
                }
            }
        }
        EXPECT_EQ(CountPixels(CornerMark), 8) << "no cell beyond the edges, none on the Void";
    }
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

TEST_F(ComposeTest, EachCellShowsItsOwnAgeCountedAcrossTheTickCountWrapping) {
    AnimationOn = 1;
    HeadlessSetTicks(0x10);
    SetBoardFromArt({"####"});
    const uint32_t changed[4] = {0x10u, 0x10u - 1234u, 0x10u - 199u, 0x10u - 5000u};
    const int8_t values[4] = {3, 3, 5, 0};
    for (int32_t x = 0; x < 4; ++x) {
        SetCover(x, 0, x < 3 ? Open : Hidden);
        CellValue[CellIndex(x, 0)] = values[x];
        ChangeTime[CellIndex(x, 0)] = changed[x];
    }
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(44)) << "a 3 just opened";
    EXPECT_EQ(TileIdAt(335, 223), IdOfTile(56)) << "a 3 opened 1.2 s ago";
    EXPECT_EQ(TileIdAt(367, 223), IdOfTile(71)) << "a 5 opened 0.19 s ago";
    EXPECT_EQ(TileIdAt(399, 223), IdOfTile(RaisedTile)) << "a hidden cell";
}

TEST_F(ComposeTest, ThePressHighlightFollowsTheButtonsAndTheViewCell) {
    SetBoardFromArt({"###", "###", "###"});
    ViewCell(1, 1);
    SetCover(0, 0, Flagged);
    SetCover(2, 0, Open);
    SetCover(0, 2, Questioned);
    const struct {
        const char* what;
        int8_t cover;  // of the view cell
        int32_t left, right;
        int64_t highlights;
    } cases[] = {{"left alone on a hidden cell", Hidden, Pressed, Idle, 1},
                 {"both down on a hidden cell", Hidden, Pressed, Pressed, 0},
                 {"right alone", Hidden, Idle, Pressed, 0},
                 {"chording on a hidden cell", Hidden, Chording, Chording, 0},
                 {"left on a flag", Flagged, Pressed, Idle, 0},
                 {"left on a question mark", Questioned, Pressed, Idle, 0},
                 {"left on an open cell", Open, Pressed, Idle, 0},
                 {"the left button chording on an open cell", Open, Chording, Pressed, 5},
                 {"the right button chording on an open cell", Open, Idle, Chording, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetCover(1, 1, c.cover);
        LeftButton = c.left;
        RightButton = c.right;
        ComposeFrame();
        EXPECT_EQ(Highlights(), c.highlights);
        if (c.highlights == 1) {
            EXPECT_TRUE(HighlightedAt(303, 223));
        }
    }
    // The hidden neighbours: not the flag, the open cell or the question mark.
    EXPECT_TRUE(HighlightedAt(303, 191) && HighlightedAt(271, 223) && HighlightedAt(335, 223) &&
                HighlightedAt(303, 255) && HighlightedAt(335, 255));
}

TEST_F(ComposeTest, ThePressHighlightStaysOnTheBoard) {
    SetBoardFromArt({"##", "#."});
    ViewCell(0, 0);
    SetCover(0, 0, Open);
    LeftButton = RightButton = Chording;
    ComposeFrame();
    EXPECT_EQ(Highlights(), 2) << "two hidden neighbours; the Void one is no cell";
    EXPECT_TRUE(HighlightedAt(335, 223) && HighlightedAt(303, 255));

    SetCover(0, 0, Hidden);
    LeftButton = Pressed;
    RightButton = Idle;
    for (int32_t x : {-20, 64}) {  // left of the board, though it truncates to column 0; right
        ViewX = x;
        ComposeFrame();
        EXPECT_EQ(Highlights(), 0) << "view x " << x;
    }
}

TEST_F(ComposeTest, HighlightAndCursorBoxBelongToTheBoardScreensOnly) {
    SetBoardFromArt({"#"});
    ViewCell(0, 0);
    LeftButton = Pressed;
    for (int32_t state = Title; state <= NameEntry; ++state) {
        GameState = state;
        ComposeFrame();
        const bool board = state != Title && state != NameEntry;
        EXPECT_EQ(CursorBoxShown(), board) << "state " << state;
        EXPECT_EQ(Highlights(), board ? 1 : 0) << "state " << state;
    }
}

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

TEST_F(ComposeTest, TheHeadsUpTextsAndTheClockThatStopsWithThePlay) {
    SetBoardFromArt({"*#*", "###"});
    GameState = Ready;
    HighScore = 87;
    std::strcpy(HighScoreName, "Ann");
    ComposeFrame();
    ExpectTexts({{300, 150, 0, "GO !"},
                 {5, 428, 1, "You"},
                 {10, 444, 0, "2 "},
                 {27, 444, 0, "Mine(s)"},
                 {10, 460, 0, "0 "},
                 {27, 460, 0, "Sec"},
                 {5, 5, 1, "High-Score"},
                 {10, 20, 0, "87 "},
                 {39, 20, 0, "Sec"},
                 {10, 36, 0, "Ann "}});
    EXPECT_EQ(EndTick, 0u) << "only Playing frames move the clock";

    GameState = Playing;
    MinesLeft = -2;
    StartTick = Now - 12999;
    ComposeFrame();
    EXPECT_EQ(EndTick, Now);
    ExpectTexts({{10, 444, 0, "-2"},
                 {39, 444, 0, "Mine(s)"},
                 {10, 460, 0, "12 "},
                 {39, 460, 0, "Sec"},
                 {300, 150, 0, "    "},
                 {230, 150, 0, std::string(16, ' ')}});

    for (int32_t state : {Ready, NameEntry, Lost, Won}) {
        GameState = state;
        HeadlessAdvanceTicks(5000);
        ComposeFrame();
        EXPECT_EQ(EndTick, Now) << "state " << state;
    }
    ExpectTexts({{230, 150, 0, "Congratulation !"}, {10, 460, 0, "12 "}});
    GameState = Lost;
    ComposeFrame();
    ExpectTexts({{240, 150, 0, "Game Is Over !"}});
}

TEST_F(ComposeTest, EveryFrameIsShownWithTheSheetsPalette) {
    ASSERT_EQ(InitDisplay(CreateGameWindow("Torvex", DefWindowProc, "icon1"), 640, 480, 640, 480),
              1);
    SetBoardFromArt({"##"});
    ComposeFrame();
    ComposeFrame();
    EXPECT_EQ(HeadlessFramesPresented(), 2u);
    EXPECT_EQ(std::memcmp(HeadlessFramePixels(), BackBuffer, sizeof(BackBuffer)), 0);
    EXPECT_EQ(HeadlessFramePalette()[7].blue, 7);
}

}  // namespace
