// SPDX-License-Identifier: MIT
// Whole games through the title, the board, a loss or a win, and back: the
// menu and the keys, the button state machine, the best time, the cursors
// of the main loop and its activation. What each of them sounds like is
// checked with the sound cues.
#include <cstring>
#include <tuple>
#include <utility>

#include "app/shell_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"
#include "video/display.h"

namespace {

using Lines = std::vector<std::string>;
using Point = std::pair<int32_t, int32_t>;

class GameFlowTest : public PlayedGameTest {};

// The menu's first item starts a game (the other tests start theirs with
// F1), and a held F1 deals again on every repeat. A button held over the
// start of a new board belongs to the old one: its release must not act on
// the new one, be it the menu's click or a press on the board.
TEST_F(GameFlowTest, AGameStartsByTheMenuAndEveryRepeatOfF1DealsAgain) {
    StartOnTitle();
    SelectMenuItem(0);
    Play("click left\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(LeftButton, Idle);
    EXPECT_EQ(CoveredCount, PlayableCount) << "the click's release opened a cell";
    NewSounds();
    Play("key F1\nkey F1\nkey F1\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(NewSounds(), Lines(3, "sound jyan once"));
    Play("down left\npass\nkey F1\npass\nup left\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(CoveredCount, PlayableCount);
    EXPECT_EQ(StartTick, 0u);
}

// On a new board the press of either button starts the clock and its
// release acts: the left one opens, the right one marks. Both buttons over a satisfied number make
// one chord, run by the release of the second button whichever went down first.
TEST_F(GameFlowTest, ButtonsOpenMarkAndChordInEitherOrder) {
    const struct {
        const char* first;
        const char* second;
        ButtonStates* firstState;
        ButtonStates* secondState;
        const char* topRow;  // after (3,0) took the first click
    } orders[] = {{"left", "right", &LeftButton, &RightButton, "FOFOHH"},
                  {"right", "left", &RightButton, &LeftButton, "FOFFHH"}};
    for (const auto& o : orders) {
        SCOPED_TRACE(std::string(o.first) + " first");
        Restart();
        StartOnField();
        AimAt(3, 0);
        Play(std::string("down ") + o.first + "\npass");
        EXPECT_EQ(GameState, Playing);
        EXPECT_EQ(StartTick, GetTickCount());
        EXPECT_EQ(*o.firstState, Pressed);
        EXPECT_EQ(CoverArt()[0], "HHHHHH") << "acting waits for the release";
        Play(std::string("up ") + o.first + "\npass");
        EXPECT_EQ(*o.firstState, Idle);
        ClickCell(0, 0, "right");
        ClickCell(2, 0, "right");
        ClickCell(1, 0, "left");
        EXPECT_EQ(CoverArt()[0], o.topRow);

        const int32_t minesLeft = MinesLeft;
        AimAt(1, 0);
        Play(std::string("down ") + o.first + "\npass\ndown " + o.second + "\npass");
        EXPECT_EQ(LeftButton, Chording);
        EXPECT_EQ(RightButton, Chording);
        Play(std::string("up ") + o.first + "\npass");
        EXPECT_EQ(*o.firstState, Idle);
        EXPECT_EQ(*o.secondState, Chording);
        EXPECT_EQ(CoverArt()[1], "HHHHHH") << "the chord ran on the first release";
        Play(std::string("up ") + o.second + "\npass");
        EXPECT_EQ(*o.secondState, Idle);
        EXPECT_EQ(CoverArt()[1], "OOOHHH");
        EXPECT_EQ(MinesLeft, minesLeft) << "a chord never marks";
    }
}

TEST_F(GameFlowTest, OpeningAMineLosesAndAnyPressReturnsToTheTitle) {
    StartOnField();
    ClickCell(0, 0, "left");
    EXPECT_EQ(GameState, Lost);
    const int32_t viewY = ViewY;
    Play("move 0 20\npass");
    EXPECT_EQ(ViewY, viewY + 20) << "the board cursor still moves in Lost";
    FacePhase = 1;  // and the explosion's blinks are still to come
    Play("down left\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(MenuCursorY, 0);
    EXPECT_EQ(std::make_tuple(FacePhase, FaceBlinkCount, FaceBlinkDelay), std::make_tuple(0, 0, 0));
    Play("up left\npass");  // over the menu's first item
    EXPECT_EQ(GameState, Title) << "the release of the click changes nothing";
}

// A click on the 0 floods every safe cell left; the next clock step
// completes the win and stops the time. A press then compares the time with
// the best: only a better one is a new best, its name entered from scratch.
TEST_F(GameFlowTest, AFloodWinsAndOnlyATimeUnderTheBestIsANewBest) {
    StartOnField();
    ClickCell(0, 0, "right");
    Play("wait 3000");
    ClickCell(1, 0, "left");
    ClickCell(2, 2, "left");
    EXPECT_EQ(CoverArt(), (Lines{"FOHOOO", "OOOOOO", "OOOOOO", "OOOOOO", "OOOOHH"}));
    Play("pass");
    ASSERT_EQ(GameState, Won);
    const uint32_t time = EndTick - StartTick;
    EXPECT_EQ(time / 1000, 3u);
    Play("wait 2000");
    EXPECT_EQ(EndTick - StartTick, time) << "the time stops with the win";

    HighScore = 3;
    Play("down right\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(HighScore, 3);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    GameState = Won;  // the same win, against a best one second longer
    HighScore = 4;
    MenuCursorX = 50;
    MenuCursorY = 50;
    Play("down left\npass");
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_EQ(HighScore, 3);
    EXPECT_STREQ(HighScoreName, "");
    EXPECT_EQ(NameLength, 0);
    EXPECT_EQ(Point(MenuCursorX, MenuCursorY), Point(0, 0));
}

// The title menu moves only up and down over its items, the board cursor
// stops one cell beyond every edge of the 6 x 5 map, the name grid's cursor
// stays on the grid. The bounds are reachable, and moves queued before a
// pass add up.
TEST_F(GameFlowTest, EachScreenKeepsItsCursorWithinItsBounds) {
    StartOnTitle();
    Play("move 70 30\npass");
    EXPECT_EQ(Point(MenuCursorX, MenuCursorY), Point(0, 30));
    Play("move 0 200\npass");
    EXPECT_EQ(MenuCursorY, 169);
    Play("move 0 -1000\npass");
    EXPECT_EQ(MenuCursorY, 0);
    Play("key F1\npass\nmove -1000 -1000\npass");
    EXPECT_EQ(Point(ViewX, ViewY), Point(-32, -32));
    Play("move 5000 5000\npass");
    EXPECT_EQ(Point(ViewX, ViewY), Point(224, 192));
    Play("move -1 -100\nmove 0 -124\npass");
    EXPECT_EQ(Point(ViewX, ViewY), Point(223, -32));
    GameState = NameEntry;
    Play("move -50 500\npass");
    EXPECT_EQ(Point(MenuCursorX, MenuCursorY), Point(0, 119));
    Play("move 1000 -119\npass");
    EXPECT_EQ(Point(MenuCursorX, MenuCursorY), Point(779, 0));
}

// Away, the pointer is the player's (it is not put back to the centre) and
// a pass only drains the queue: no frame, no clock. A release made meanwhile never arrives, so the
// buttons are let go of. Coming back restores the display and loads the
// palette and the sheet again before frames resume.
TEST_F(GameFlowTest, AwayAPassOnlyDrainsTheQueueAndComingBackReloadsThePictures) {
    StartOnField();
    AimAt(3, 0);
    Play("down right\npass\nactivate 0\npass");
    EXPECT_EQ(RightButton, Idle);
    ASSERT_EQ(AppActive, 0);
    const PaletteEntry colour = PaletteTable[200];
    const uint8_t pixel = SpriteSheet[SheetWidth * 10 + 20];
    PaletteTable[200].blue ^= 0xFF;
    SpriteSheet[SheetWidth * 10 + 20] ^= 0xFF;
    const uint64_t frames = HeadlessFramesPresented();
    const uint32_t lastTick = LastTick;
    Play("move 40 0\nwait 1000");
    EXPECT_EQ(HeadlessFramesPresented(), frames);
    EXPECT_EQ(LastTick, lastTick) << "the game clock must not run";
    Point pointer;
    GetCursorPos(&pointer.first, &pointer.second);
    EXPECT_EQ(pointer, Point(ScreenCentreX + 40, ScreenCentreY));

    Play("activate 1\npass");
    EXPECT_EQ(AppActive, 1);
    EXPECT_EQ(std::memcmp(&PaletteTable[200], &colour, sizeof colour), 0);
    EXPECT_EQ(SpriteSheet[SheetWidth * 10 + 20], pixel);
    Play("click left\npass");
    EXPECT_EQ(HeadlessFramesPresented(), frames + 2);
    EXPECT_EQ(CoverState[CellIndex(3, 0)], Open) << "the click became a chord";
}

}  // namespace
