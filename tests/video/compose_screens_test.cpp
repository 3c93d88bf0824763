// The title screen and the name-entry screen: every text where it belongs,
// the menu bar and the grid box following the pointer, the scrolling title
// background.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/game_state.h"
#include "app/name_entry.h"
#include "board/board.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/compose.h"
#include "video/sprites.h"

namespace {

class ScreenTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        InstallRecognisableSheet();
        HeadlessSetTicks(1000000);
    }

    static void ExpectText(int32_t x, int32_t y, int32_t font, const std::string& text) {
        EXPECT_EQ(TextAt(x, y, font, static_cast<int32_t>(text.size())), text)
            << "at " << x << ", " << y << " in font " << font;
    }
};

// --- the title screen -----------------------------------------------------------

class TitleTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        GameState = Title;
        std::strcpy(MapName, "Island");
        HighScore = 125;
        std::strcpy(HighScoreName, "Bob");
    }
};

TEST_F(TitleTest, EveryTextStandsInItsPlace) {
    QuestionMarksOn = 1;
    SoundOn = 0;
    AnimationOn = 1;
    ComposeFrame();
    ExpectText(460, 80, 1, "V 1.10");
    ExpectText(200, 130, 1, "Map Name");
    ExpectText(250, 146, 0, "Island ");
    ExpectText(200, 180, 1, "High-Score");
    ExpectText(250, 200, 0, "125 ");
    ExpectText(291, 200, 0, "SEC ");  // five pixels after the number
    ExpectText(357, 200, 0, "Bob ");  // thirty pixels after "SEC"
    ExpectText(190, 250, 1, "Game Start       (F1)");
    ExpectText(190, 270, 1, "?-Mark On/Off    (F2)");
    ExpectText(190, 290, 1, "Sound On/Off     (F3)");
    ExpectText(190, 310, 1, "Animation On/Off (F4)");
    ExpectText(190, 330, 1, "Clear High Score (F9)");
    ExpectText(190, 350, 1, "Exit Game        (Esc)");
    ExpectText(50, 400, 0, "?-Mark    On. ");
    ExpectText(50, 420, 0, "Sound     Off.");
    ExpectText(50, 440, 0, "Animation On. ");
}

TEST_F(TitleTest, TheOptionLinesFollowTheSettings) {
    QuestionMarksOn = 0;
    SoundOn = 1;
    AnimationOn = 0;
    ComposeFrame();
    ExpectText(50, 400, 0, "?-Mark    Off.");
    ExpectText(50, 420, 0, "Sound     On. ");
    ExpectText(50, 440, 0, "Animation Off.");
}

TEST_F(TitleTest, TheLogoIsDrawnOverTheBackground) {
    ComposeFrame();
    EXPECT_EQ(PixelAt(177, 20), LogoId);
    EXPECT_EQ(PixelAt(457, 107), LogoId);
    EXPECT_NE(PixelAt(176, 20), LogoId);
    EXPECT_NE(PixelAt(458, 107), LogoId);
    EXPECT_NE(PixelAt(177, 108), LogoId);
}

TEST_F(TitleTest, TheMenuBarStandsBehindTheSelectedItem) {
    const int32_t cursorToRow[][2] = {{0, 0}, {29, 0}, {30, 1}, {100, 3}, {169, 5}};
    for (const auto& pair : cursorToRow) {
        MenuCursorY = pair[0];
        ComposeFrame();
        const int32_t top = 248 + 20 * pair[1];
        EXPECT_EQ(SelectedRow, pair[1]) << "cursor " << pair[0];
        EXPECT_EQ(PixelAt(160, top), MenuBarId) << "cursor " << pair[0];
        EXPECT_EQ(PixelAt(472, top + 18), MenuBarId) << "cursor " << pair[0];
        EXPECT_NE(PixelAt(160, top - 1), MenuBarId) << "cursor " << pair[0];
        EXPECT_NE(PixelAt(160, top + 19), MenuBarId) << "cursor " << pair[0];
        EXPECT_NE(PixelAt(473, top), MenuBarId) << "cursor " << pair[0];
    }
    // The last item's bar lies behind "Exit Game        (Esc)".
    ExpectText(190, 350, 1, "Exit Game        (Esc)");
}

TEST_F(TitleTest, TheBackgroundScrollsOnePixelAFrameAndRepeatsEvery32) {
    for (int32_t frame = 1; frame <= 70; ++frame) {
        ComposeFrame();
        const int32_t scroll = frame % 32;
        ASSERT_EQ(TitleScroll, scroll) << "frame " << frame;
        // A corner of the opened-cell pattern, clear of texts and logo.
        ASSERT_EQ(PixelAt(96 - scroll, 64 - scroll), CornerMark) << "frame " << frame;
        ASSERT_EQ(PixelAt(97 - scroll, 64 - scroll), IdOfTile(14)) << "frame " << frame;
    }
}

TEST_F(TitleTest, TheScrollIsKeptWhileAwayFromTheTitle) {
    TitleScroll = 30;
    GameState = Playing;
    ComposeFrame();
    EXPECT_EQ(TitleScroll, 30);
    GameState = Title;
    ComposeFrame();
    ComposeFrame();
    EXPECT_EQ(TitleScroll, 0);
}

TEST_F(TitleTest, AMapNameIsNeverReadPastItsField) {
    std::memset(MapName, 'x', sizeof(MapName));  // damaged: no terminator
    ComposeFrame();
    ExpectText(250, 146, 0, std::string(MapNameCapacity, 'x') + " ");
}

// --- the name-entry screen -----------------------------------------------------------

class NameEntryTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        SetBoardFromArt({"###", "###"});
        GameState = NameEntry;
        HighScore = 42;
        std::strcpy(HighScoreName, "Zoe");
        NameLength = 3;
    }

    static bool BoxAt(int32_t x, int32_t y) {
        return PixelAt(x, y) == CursorBoxId && PixelAt(x + 31, y + 31) == CursorBoxId &&
               CountPixels(CursorBoxId) == 124;
    }
};

TEST_F(NameEntryTest, EveryTextStandsInItsPlace) {
    ComposeFrame();
    ExpectText(220, 100, 1, "It's A High Score !");
    ExpectText(180, 130, 1, "Prease Entry Your Name !");
    ExpectText(310, 269, 0, "END");
    ExpectText(210, 320, 1, "High-Score =");
    ExpectText(360, 320, 1, "42 ");
    ExpectText(389, 320, 1, "SEC");
    ExpectText(210, 350, 1, "Your Name  =");
    ExpectText(360, 350, 1, "Zoe");
}

TEST_F(NameEntryTest, TheGridShowsEveryCharacter23PixelsApart) {
    ComposeFrame();
    for (int32_t g = 0; g < 3; ++g) {
        for (int32_t k = 0; k < 26; ++k) {
            ExpectText(20 + 23 * k, 200 + 23 * g, 0, std::string(1, LetterGrid[26 * g + k]));
        }
    }
    ExpectText(20, 200, 0, "A");
    ExpectText(20 + 23 * 25, 200 + 23 * 2, 0, " ");
}

TEST_F(NameEntryTest, TheBoxFramesTheSelectedCharacterWhichIsPreviewed) {
    MenuCursorX = 45;
    MenuCursorY = 30;
    ComposeFrame();
    EXPECT_EQ(SelectedColumn, 1);
    EXPECT_EQ(SelectedRow, 1);
    EXPECT_TRUE(BoxAt(34, 214)) << "9 pixels left of and above 'b'";
    ExpectText(396, 350, 0, "b");  // where the fourth character would go

    MenuCursorX = 0;
    MenuCursorY = 0;
    NameLength = 0;
    HighScoreName[0] = '\0';
    ComposeFrame();
    EXPECT_TRUE(BoxAt(11, 191));
    ExpectText(360, 350, 0, "A");
}

TEST_F(NameEntryTest, TheLastColumnOfTheLastRowIsTheSpace) {
    MenuCursorX = 779;
    MenuCursorY = 60;
    ComposeFrame();
    EXPECT_EQ(SelectedColumn, 25);
    EXPECT_EQ(SelectedRow, 2);
    EXPECT_TRUE(BoxAt(586, 237));
    ExpectText(396, 350, 0, " ");  // a space previews as nothing
}

TEST_F(NameEntryTest, TheEndRowFramesEndWhateverTheColumnAndPreviewsNothing) {
    for (int32_t y : {90, 105, 119}) {
        for (int32_t x : {0, 400, 779}) {
            MenuCursorX = x;
            MenuCursorY = y;
            ComposeFrame();
            EXPECT_EQ(SelectedRow, 3);
            EXPECT_EQ(SelectedColumn, 13);
            EXPECT_TRUE(BoxAt(310, 260)) << x << ", " << y;
            ExpectText(396, 350, 0, " ");
        }
    }
}

TEST_F(NameEntryTest, TheBoardShowsBehindWithoutItsTextsOrCursor) {
    ViewX = 16;
    ViewY = 16;
    LeftButton = Pressed;
    ComposeFrame();
    EXPECT_EQ(PixelAt(335, 223), CornerMark) << "cell (1, 0) is drawn";
    EXPECT_EQ(CountPixels(PressHighlightId), 0);
    ExpectText(5, 428, 1, "   ");
    ExpectText(5, 5, 1, "          ");
}

TEST_F(NameEntryTest, TheSelectionIsKeptOnOtherScreens) {
    MenuCursorX = 100;
    MenuCursorY = 61;
    ComposeFrame();
    GameState = Playing;
    MenuCursorX = 0;
    MenuCursorY = 0;
    ComposeFrame();
    EXPECT_EQ(SelectedColumn, 3);
    EXPECT_EQ(SelectedRow, 2);
}

}  // namespace
