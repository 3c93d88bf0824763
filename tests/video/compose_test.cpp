// SPDX-License-Identifier: MIT
// Composing the frame: which tile a cell shows, where the cells land for a
// view, the press highlight and the cursor box, the face, and every screen's
// texts and pictures in their places.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/clock.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "version.h"
#include "video/compose.h"
#include "video/sprites.h"

namespace {

TEST_F(GameTest, SelectTilePicksTheTileOfTheFirstMatchingRow) {
    // A cell untouched since the game was laid out has ChangeTime 0, so its
    // age is the whole tick count: far beyond every sequence.
    constexpr int32_t Old = 10000000;
    // GameState, AnimationOn, CoverState, CellValue, age in tenths: the tile.
    // clang-format off
    const int32_t cases[][6] = {
        // Hidden: a mine after a loss, even just covered; a mine in play; a safe
        // cell after a loss; a cell covered again rising back; no animation.
        {Lost, 1, Hidden, Mine, 0, 15}, {Playing, 1, Hidden, Mine, Old, 2},
        {Lost, 1, Hidden, 3, Old, 2}, {Playing, 1, Hidden, 0, 0, 0}, {Playing, 1, Hidden, 0, 1, 1},
        {Playing, 1, Hidden, 0, 2, 2}, {Playing, 0, Hidden, 0, 0, 2},
        // Open, without animation: empty, a mine, the numbers at rest.
        {Playing, 0, Open, 0, 0, 14}, {Lost, 0, Open, Mine, 1, 16}, {Playing, 0, Open, 1, 0, 23},
        {Playing, 0, Open, 8, 7, 114},
        // Open: an empty cell opening, opened; a mine exploding frame by frame.
        {Playing, 1, Open, 0, 0, 9}, {Playing, 1, Open, 0, 4, 13}, {Playing, 1, Open, 0, 5, 14},
        {Lost, 1, Open, Mine, 1, 17}, {Lost, 1, Open, Mine, 12, 16},
        // A 3 opening, at rest, turning and looping back; an 8 turning; after a loss.
        {Playing, 1, Open, 3, 0, 44}, {Playing, 1, Open, 3, 4, 48}, {Playing, 1, Open, 3, 5, 49},
        {Playing, 1, Open, 3, 12, 56}, {Playing, 1, Open, 3, 13, 49},
        {Playing, 1, Open, 8, 20, 121}, {Lost, 1, Open, 2, 6, 37},
        // Flagged: a wrong flag after a loss, crossed out; a right one as ever;
        // a flag just set sinking, then waving; without animation; after a win.
        {Lost, 1, Flagged, 4, 0, 122}, {Lost, 1, Flagged, 0, 1, 123}, {Lost, 0, Flagged, 4, 1, 122},
        {Lost, 1, Flagged, Mine, 3, 6}, {Playing, 1, Flagged, 0, 0, 3},
        {Playing, 1, Flagged, 0, 1, 4}, {Playing, 1, Flagged, 0, 2, 5},
        {Playing, 1, Flagged, 0, 3, 6}, {Playing, 0, Flagged, 0, 0, 5},
        {Won, 1, Flagged, Mine, Old, 5},
        // Questioned: two frames, one without animation.
        {Playing, 1, Questioned, 0, 4, 7}, {Playing, 1, Questioned, Mine, 5, 8},
        {Lost, 0, Questioned, Mine, 5, 7}};
    // clang-format on
    for (const auto& c : cases) {
        GameState = static_cast<GameStates>(c[0]);
        AnimationOn = c[1];
        EXPECT_EQ(SelectTile(static_cast<uint32_t>(c[4]), c[3], c[2]), c[5])
            << "state " << c[0] << ", animation " << c[1] << ", cover " << c[2] << ", value "
            << c[3] << ", tenths " << c[4];
    }
}

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
    static void SetCover(int32_t x, int32_t y, CoverStates cover) {
        CoverState[CellIndex(x, y)] = cover;
    }
    static int64_t Highlights() { return CountPixels(PressHighlightId) / 16; }
    // True when a highlight's centre block lies on the cell drawn at (x, y).
    static bool HighlightedAt(int32_t x, int32_t y) {
        return PixelAt(x + 16, y + 16) == PressHighlightId;
    }
};

TEST_F(ComposeTest, CellsLandWhereTheViewPutsThemAndNothingIsDrawnBeyondTheBoardOrOnVoid) {
    SetBoardFromArt({"###", "#.#", "###"});
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(RaisedTile)) << "cell (0, 0) lies under the cursor box";
    // The view point is always screen pixel (319, 239): where cell (0, 0) then starts.
    const int32_t views[][4] = {
        {20, 10, 299, 229}, {0, 0, 319, 239}, {-20, -31, 339, 270}, {95, 90, 224, 149}};
    for (const auto& view : views) {
        SCOPED_TRACE(testing::Message() << "view " << view[0] << ", " << view[1]);
        ViewX = view[0];
        ViewY = view[1];
        ComposeFrame();
        for (int32_t cell = 0; cell < 9; ++cell) {
            if (cell != 4) {
                EXPECT_EQ(PixelAt(view[2] + 32 * (cell % 3), view[3] + 32 * (cell / 3)),
                          CornerMark);
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
    SetBoardFromArt({"###"});
    const uint32_t changed[3] = {0x10u, 0x10u - 1234u, 0x10u - 199u};
    const int8_t values[3] = {3, 3, 5};
    for (int32_t x = 0; x < 3; ++x) {
        SetCover(x, 0, Open);
        CellValue[CellIndex(x, 0)] = values[x];
        ChangeTime[CellIndex(x, 0)] = changed[x];
    }
    ViewCell(0, 0);
    ComposeFrame();
    EXPECT_EQ(TileIdAt(303, 223), IdOfTile(44)) << "a 3 just opened";
    EXPECT_EQ(TileIdAt(335, 223), IdOfTile(56)) << "a 3 opened 1.2 s ago";
    EXPECT_EQ(TileIdAt(367, 223), IdOfTile(71)) << "a 5 opened 0.19 s ago";
}

TEST_F(ComposeTest, ThePressHighlightFollowsTheButtonsAndTheViewCell) {
    SetBoardFromArt({"###", "###", "###"});
    SetCover(0, 0, Flagged);
    SetCover(2, 0, Open);
    SetCover(0, 2, Questioned);
    const struct {
        const char* what;
        int32_t viewX;      // ViewY is on row 1
        CoverStates cover;  // of the view cell
        ButtonStates left, right;
        int64_t highlights;
    } cases[] = {{"left alone on a hidden cell", 48, Hidden, Pressed, Idle, 1},
                 {"both down on a hidden cell", 48, Hidden, Pressed, Pressed, 0},
                 {"right alone", 48, Hidden, Idle, Pressed, 0},
                 {"chording on a hidden cell", 48, Hidden, Chording, Chording, 0},
                 {"left on a flag", 48, Flagged, Pressed, Idle, 0},
                 {"left on a question mark", 48, Questioned, Pressed, Idle, 0},
                 {"left on an open cell", 48, Open, Pressed, Idle, 0},
                 {"left, the view before the board's column 0", -20, Hidden, Pressed, Idle, 0},
                 {"left, the view past the board", 96, Hidden, Pressed, Idle, 0},
                 {"the left button chording on an open cell", 48, Open, Chording, Pressed, 5},
                 {"the right button chording on an open cell", 48, Open, Idle, Chording, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ViewX = c.viewX;
        ViewY = 48;
        SetCover(1, 1, c.cover);
        LeftButton = c.left;
        RightButton = c.right;
        ComposeFrame();
        EXPECT_EQ(Highlights(), c.highlights);
        EXPECT_EQ(HighlightedAt(303, 223), c.highlights == 1);
    }
    // The hidden neighbours: not the flag, the open cell or the question mark.
    EXPECT_TRUE(HighlightedAt(303, 191) && HighlightedAt(271, 223) && HighlightedAt(335, 223) &&
                HighlightedAt(303, 255) && HighlightedAt(335, 255));

    SetBoardFromArt({"##", "#."});
    ViewCell(0, 0);
    SetCover(0, 0, Open);
    ComposeFrame();
    EXPECT_EQ(Highlights(), 2) << "a chord at the board's corner; the Void neighbour is no cell";
    EXPECT_TRUE(HighlightedAt(335, 223) && HighlightedAt(303, 255));
}

TEST_F(ComposeTest, TheFaceShowsStateAndBlinkAndTheBoardScreensAloneTheirCursor) {
    SetBoardFromArt({"#"});
    ViewCell(0, 0);
    LeftButton = Pressed;
    const int32_t faceColumn[6] = {0, 0, 0, 1, 2, 2};
    for (GameStates state : {Title, Ready, Playing, Lost, Won, NameEntry}) {
        for (int32_t phase = 0; phase < 2; ++phase) {
            SCOPED_TRACE(testing::Message() << "state " << state << ", phase " << phase);
            GameState = state;
            FacePhase = phase;
            ComposeFrame();
            EXPECT_EQ(PixelAt(550, 400), FaceId(faceColumn[state], phase));
            EXPECT_EQ(PixelAt(613, 463), FaceId(faceColumn[state], phase));
            const bool board = state != Title && state != NameEntry;
            EXPECT_EQ(PixelAt(303, 223) == CursorBoxId && PixelAt(334, 254) == CursorBoxId, board);
            EXPECT_EQ(Highlights(), board ? 1 : 0);
        }
    }
}

TEST_F(ComposeTest, TheBoardTextsAndTheClockThatStopsWithThePlay) {
    SetBoardFromArt({"*#*", "###"});
    GameState = Ready;
    HighScore = 87;
    std::strcpy(HighScoreName, "Ann");
    ComposeFrame();
    ExpectTexts({At{300, 150, 0, "GO !"}, At{5, 428, 1, "You"}, At{10, 444, 0, "2 "},
                 At{27, 444, 0, "Mine(s)"}, At{10, 460, 0, "0 "}, At{27, 460, 0, "Sec"},
                 At{5, 5, 1, "High-Score"}, At{10, 20, 0, "87 "}, At{39, 20, 0, "Sec"},
                 At{10, 36, 0, "Ann "}});
    EXPECT_EQ(CountPixels(MenuBarId), 0) << "no text is drawn past its end as default glyphs";
    EXPECT_EQ(EndTick, 0u) << "only Playing frames move the clock";

    GameState = Playing;
    MinesLeft = -2;
    StartTick = Now - 12999;
    ComposeFrame();
    EXPECT_EQ(EndTick, Now);
    ExpectTexts({At{10, 444, 0, "-2"}, At{39, 444, 0, "Mine(s)"}, At{10, 460, 0, "12 "},
                 At{39, 460, 0, "Sec"}, At{300, 150, 0, "    "},
                 At{230, 150, 0, std::string(16, ' ')}});
    for (GameStates state : {Ready, NameEntry, Lost, Won}) {
        GameState = state;
        HeadlessAdvanceTicks(5000);
        ComposeFrame();
        EXPECT_EQ(EndTick, Now) << "state " << state;
    }
    ExpectTexts({At{230, 150, 0, "Congratulation !"}, At{10, 460, 0, "12 "}});
    GameState = Lost;
    ComposeFrame();
    ExpectTexts({At{240, 150, 0, "Game Is Over !"}});
}

class TitleTest : public ComposeTest {
  protected:
    void SetUp() override {
        ComposeTest::SetUp();
        GameState = Title;
    }
};

TEST_F(TitleTest, EveryTextStandsInItsPlaceAndTheOptionsShowAsSet) {
    std::strcpy(MapName, "Island");
    HighScore = 125;
    std::strcpy(HighScoreName, "Bob");
    for (int32_t on = 0; on < 2; ++on) {
        QuestionMarksOn = AnimationOn = on;
        SoundOn = 1 - on;
        ComposeFrame();
        ExpectTexts({At{50, 400, 0, on ? "?-Mark    On. " : "?-Mark    Off."},
                     At{50, 420, 0, on ? "Sound     Off." : "Sound     On. "},
                     At{50, 440, 0, on ? "Animation On. " : "Animation Off."}});
    }
    // "SEC" five pixels after the number, the name thirty after "SEC".
    ExpectTexts({At{460, 80, 1, "V " TORVEX_VERSION}, At{200, 130, 1, "Map Name"},
                 At{250, 146, 0, "Island "}, At{200, 180, 1, "High-Score"}, At{250, 200, 0, "125 "},
                 At{291, 200, 0, "SEC "}, At{357, 200, 0, "Bob "},
                 At{190, 250, 1, "Game Start       (F1)"}, At{190, 270, 1, "?-Mark On/Off    (F2)"},
                 At{190, 290, 1, "Sound On/Off     (F3)"}, At{190, 310, 1, "Animation On/Off (F4)"},
                 At{190, 330, 1, "Clear High Score (F9)"},
                 At{190, 350, 1, "Exit Game        (Esc)"}});
    EXPECT_TRUE(PixelAt(177, 20) == LogoId && PixelAt(457, 107) == LogoId) << "the logo";
    EXPECT_TRUE(PixelAt(176, 20) != LogoId && PixelAt(458, 107) != LogoId &&
                PixelAt(177, 108) != LogoId)
        << "and nothing more of the sheet";
}

// The command line's no-guess play shows as one more line under the three
// options, in their font; every other pixel of the title stays as it was.
TEST_F(TitleTest, NoGuessPlayAddsOneLineUnderTheOptionsAndNothingElse) {
    const auto compose = [](int32_t noGuess) {
        NoGuessOn = noGuess;
        TitleScroll = 0;
        ComposeFrame();
        std::vector<uint8_t> pixels;
        for (int32_t y = 0; y < 480; ++y) {
            for (int32_t x = 0; x < 640; ++x)
                pixels.push_back(PixelAt(x, y));
        }
        return pixels;
    };
    const std::vector<uint8_t> off = compose(0);
    ExpectTexts({At{50, 460, 0, "            "}});
    const std::vector<uint8_t> on = compose(1);
    ExpectTexts({At{50, 440, 0, "Animation Off."}, At{50, 460, 0, "No Guess On. "}});
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            const bool inLine = x >= 50 && x < 50 + 12 * 12 && y >= 460 && y < 472;
            if (!inLine) {
                ASSERT_EQ(on[640 * y + x], off[640 * y + x]) << "(" << x << ", " << y << ")";
            }
        }
    }
}

TEST_F(TitleTest, TheMenuBarStandsBehindTheSelectedItem) {
    const int32_t cursorToRow[][2] = {{0, 0}, {29, 0}, {30, 1}, {100, 3}, {169, 5}};
    for (const auto& pair : cursorToRow) {
        SCOPED_TRACE(testing::Message() << "cursor " << pair[0]);
        MenuCursorY = pair[0];
        ComposeFrame();
        const int32_t top = 248 + 20 * pair[1];
        EXPECT_TRUE(PixelAt(160, top) == MenuBarId && PixelAt(472, top + 18) == MenuBarId);
        EXPECT_TRUE(PixelAt(160, top - 1) != MenuBarId && PixelAt(160, top + 19) != MenuBarId &&
                    PixelAt(473, top) != MenuBarId);
    }
}

TEST_F(TitleTest, TheBackgroundScrollsOnePixelAFrameAndRepeatsEvery32) {
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

TEST_F(TitleTest, AMapNameIsNeverReadPastItsField) {
    std::memset(MapName, 'x', sizeof(MapName));  // damaged: no terminator
    ComposeFrame();
    ExpectTexts({At{250, 146, 0, std::string(MapNameCapacity, 'x') + " "}});
}

class NameEntryTest : public ComposeTest {
  protected:
    void SetUp() override {
        ComposeTest::SetUp();
        SetBoardFromArt({"###", "###"});
        GameState = NameEntry;
        HighScore = 42;
        std::strcpy(HighScoreName, "Zoe");
        NameLength = 3;
    }
};

TEST_F(NameEntryTest, EveryTextAndTheWholeGridStandInTheirPlacesOverTheBareBoard) {
    ViewCell(0, 0);
    LeftButton = Pressed;
    ComposeFrame();
    ExpectTexts({At{220, 100, 1, "It's A High Score !"},
                 At{180, 130, 1, "Prease Entry Your Name !"}, At{310, 269, 0, "END"},
                 At{210, 320, 1, "High-Score ="}, At{360, 320, 1, "42 "}, At{389, 320, 1, "SEC"},
                 At{210, 350, 1, "Your Name  ="}, At{360, 350, 1, "Zoe"}});
    for (int32_t g = 0; g < 3; ++g) {
        for (int32_t k = 0; k < 26; ++k)
            ExpectTexts({At{20 + 23 * k, 200 + 23 * g, 0, std::string(1, LetterGrid[26 * g + k])}});
    }
    EXPECT_EQ(PixelAt(335, 223), CornerMark) << "cell (1, 0) is drawn behind";
    ExpectTexts({At{5, 428, 1, "   "}, At{5, 5, 1, "          "}});  // without the board's texts
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
        ExpectTexts({At{360 + 12 * c.nameLength, 350, 0, c.preview}});
    }
}

}  // namespace
