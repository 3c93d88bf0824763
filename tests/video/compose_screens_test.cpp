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
        GameState = Title;
        std::strcpy(MapName, "Island");
        HighScore = 125;
        std::strcpy(HighScoreName, "Bob");
    }
};

TEST_F(ScreenTest, TheTitleShowsEveryTextInItsPlaceAndTheOptionsAsSet) {
    for (int32_t on = 0; on < 2; ++on) {
        QuestionMarksOn = AnimationOn = on;
        SoundOn = 1 - on;
        ComposeFrame();
        ExpectTexts({{50, 400, 0, on ? "?-Mark    On. " : "?-Mark    Off."},
                     {50, 420, 0, on ? "Sound     Off." : "Sound     On. "},
                     {50, 440, 0, on ? "Animation On. " : "Animation Off."}});
    }
    ExpectTexts({{460, 80, 1, "V 1.10"},
                 {200, 130, 1, "Map Name"},
                 {250, 146, 0, "Island "},
                 {200, 180, 1, "High-Score"},
                 {250, 200, 0, "125 "},
                 {291, 200, 0, "SEC "},  // five pixels after the number
                 {357, 200, 0, "Bob "},  // thirty pixels after "SEC"
                 {190, 250, 1, "Game Start       (F1)"},
                 {190, 270, 1, "?-Mark On/Off    (F2)"},
                 {190, 290, 1, "Sound On/Off     (F3)"},
                 {190, 310, 1, "Animation On/Off (F4)"},
                 {190, 330, 1, "Clear High Score (F9)"},
                 {190, 350, 1, "Exit Game        (Esc)"}});
    EXPECT_EQ(PixelAt(177, 20), LogoId);
    EXPECT_EQ(PixelAt(457, 107), LogoId);
    EXPECT_NE(PixelAt(176, 20), LogoId);
    EXPECT_NE(PixelAt(458, 107), LogoId);
    EXPECT_NE(PixelAt(177, 108), LogoId);
}

TEST_F(ScreenTest, TheMenuBarStandsBehindTheSelectedItem) {
    const int32_t cursorToRow[][2] = {{0, 0}, {29, 0}, {30, 1}, {100, 3}, {169, 5}};
    for (const auto& pair : cursorToRow) {
        SCOPED_TRACE(testing::Message() << "cursor " << pair[0]);
        MenuCursorY = pair[0];
        ComposeFrame();
        const int32_t top = 248 + 20 * pair[1];
        EXPECT_EQ(PixelAt(160, top), MenuBarId);
        EXPECT_EQ(PixelAt(472, top + 18), MenuBarId);
        EXPECT_NE(PixelAt(160, top - 1), MenuBarId);
        EXPECT_NE(PixelAt(160, top + 19), MenuBarId);
        EXPECT_NE(PixelAt(473, top), MenuBarId);
    }
    ExpectTexts({{190, 350, 1, "Exit Game        (Esc)"}});  // over the bar, not under it
}

TEST_F(ScreenTest, TheTitleBackgroundScrollsOnePixelAFrameAndRepeatsEvery32) {
    for (int32_t frame = 1; frame <= 70; ++frame) {
        ComposeFrame();
        const int32_t scroll = frame % 32;
        ASSERT_EQ(TitleScroll, scroll) << "frame " << frame;
        // A corner of the opened-cell pattern, clear of texts and logo.
        ASSERT_EQ(PixelAt(96 - scroll, 64 - scroll), CornerMark) << "frame " << frame;
        ASSERT_EQ(PixelAt(97 - scroll, 64 - scroll), IdOfTile(OpenedEmptyTile)) << frame;
    }
    TitleScroll = 30;
    GameState = Playing;
    ComposeFrame();
    EXPECT_EQ(TitleScroll, 30) << "the scroll waits while away from the title";
}

TEST_F(ScreenTest, AMapNameIsNeverReadPastItsField) {
    std::memset(MapName, 'x', sizeof(MapName));  // damaged: no terminator
    ComposeFrame();
    ExpectTexts({{250, 146, 0, std::string(MapNameCapacity, 'x') + " "}});
}

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
};

TEST_F(NameEntryTest, EveryTextAndTheWholeGridStandInTheirPlaces) {
    ComposeFrame();
    ExpectTexts({{220, 100, 1, "It's A High Score !"},
                 {180, 130, 1, "Prease Entry Your Name !"},
                 {310, 269, 0, "END"},
                 {210, 320, 1, "High-Score ="},
                 {360, 320, 1, "42 "},
                 {389, 320, 1, "SEC"},
                 {210, 350, 1, "Your Name  ="},
                 {360, 350, 1, "Zoe"},
                 {20, 200, 0, "A"},
                 {20 + 23 * 25, 200 + 23 * 2, 0, " "}});
    for (int32_t g = 0; g < 3; ++g) {
        for (int32_t k = 0; k < 26; ++k)
            ExpectTexts({{20 + 23 * k, 200 + 23 * g, 0, std::string(1, LetterGrid[26 * g + k])}});
    }
}

TEST_F(NameEntryTest, TheBoxFramesTheSelectedCharacterWhichIsPreviewedAfterTheName) {
    // The box frames a glyph from 9 pixels left of and above it; the whole
    // END row is one place, and END and the space preview as nothing.
    const struct {
        int32_t cursorX, cursorY, nameLength, boxX, boxY;
        const char* preview;
    } cases[] = {{45, 30, 3, 34, 214, "b"},    {0, 0, 0, 11, 191, "A"},
                 {779, 60, 3, 586, 237, " "},  {0, 90, 3, 310, 260, " "},
                 {400, 105, 3, 310, 260, " "}, {779, 119, 3, 310, 260, " "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "cursor " << c.cursorX << ", " << c.cursorY);
        MenuCursorX = c.cursorX;
        MenuCursorY = c.cursorY;
        NameLength = c.nameLength;
        ComposeFrame();
        EXPECT_EQ(PixelAt(c.boxX, c.boxY), CursorBoxId);
        EXPECT_EQ(PixelAt(c.boxX + 31, c.boxY + 31), CursorBoxId);
        EXPECT_EQ(CountPixels(CursorBoxId), 124) << "one box";
        ExpectTexts({{360 + 12 * c.nameLength, 350, 0, c.preview}});
    }
}

TEST_F(NameEntryTest, TheBoardShowsBehindWithoutItsTextsOrCursor) {
    ViewX = 16;
    ViewY = 16;
    LeftButton = Pressed;
    ComposeFrame();
    EXPECT_EQ(PixelAt(335, 223), CornerMark) << "cell (1, 0) is drawn";
    EXPECT_EQ(CountPixels(PressHighlightId), 0);
    ExpectTexts({{5, 428, 1, "   "}, {5, 5, 1, "          "}});
}

}  // namespace
