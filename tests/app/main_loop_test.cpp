// The main loop's pointer step: which cursor moves on which screen, and the
// clamps that keep it there; what a pass does while the game is away.
#include "app/main_loop.h"
#include "app/game_state.h"
#include "app/window_proc.h"
#include "board/board.h"
#include "board/clock.h"
#include "platform/headless/headless.h"
#include "tests/app/played_game.h"

namespace {

class MainLoopTest : public PlayedGameTest {
  protected:
    void SetUp() override {
        PlayedGameTest::SetUp();
        Launch(WriteMap("ten.tvm", "Ten,10,10,10,100,"));
        Play("pass");
    }
};

TEST_F(MainLoopTest, TheTitleMenuMovesOnlyUpAndDownWithinItsItems) {
    Play("move 70 30\npass");
    EXPECT_EQ(MenuCursorY, 30);
    EXPECT_EQ(MenuCursorX, 0);
    Play("move 0 120\npass");
    EXPECT_EQ(MenuCursorY, 150);
    Play("move 0 100\npass");
    EXPECT_EQ(MenuCursorY, 169) << "one large movement is clamped at once";
    Play("move 0 -1000\npass");
    EXPECT_EQ(MenuCursorY, 0);
}

TEST_F(MainLoopTest, TheBoardCursorStopsOneCellBeyondEveryEdge) {
    Play("key F1\npass");
    EXPECT_EQ(ViewX, 160);
    EXPECT_EQ(ViewY, 160);
    Play("move -1000 -1000\npass");
    EXPECT_EQ(ViewX, -32);
    EXPECT_EQ(ViewY, -32);
    Play("move 5000 5000\npass");
    EXPECT_EQ(ViewX, 352);
    EXPECT_EQ(ViewY, 352);
    Play("move -1 -384\npass");
    EXPECT_EQ(ViewX, 351);
    EXPECT_EQ(ViewY, -32);
}

TEST_F(MainLoopTest, MovesQueuedBeforeAPassAddUpAndThePointerGoesBackToTheCentre) {
    Play("key F1\npass\nmove 10 5\nmove -3 20\npass");
    EXPECT_EQ(ViewX, 167);
    EXPECT_EQ(ViewY, 185);
    int32_t x = 0;
    int32_t y = 0;
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
}

TEST_F(MainLoopTest, TheNameGridCursorStaysOnTheGrid) {
    GameState = NameEntry;
    MenuCursorX = 10;
    MenuCursorY = 10;
    Play("move -50 500\npass");
    EXPECT_EQ(MenuCursorX, 0);
    EXPECT_EQ(MenuCursorY, 119);
    Play("move 1000 -119\npass");
    EXPECT_EQ(MenuCursorX, 779);
    EXPECT_EQ(MenuCursorY, 0);
}

// While away the pointer is the player's: no frame, no clock, no
// re-centring, but passes still count.
TEST_F(MainLoopTest, WhileInactiveAPassOnlyDrainsTheQueue) {
    Play("key F1\npass\nactivate 0\npass");
    ASSERT_EQ(AppActive, 0);
    const uint64_t frames = HeadlessFramesPresented();
    const uint32_t passes = FrameCount;
    const uint32_t lastTick = LastTick;
    const int32_t viewX = ViewX;
    Play("move 40 0\nwait 1000");
    EXPECT_EQ(HeadlessFramesPresented(), frames);
    EXPECT_EQ(FrameCount, passes + 100);
    EXPECT_EQ(LastTick, lastTick);
    EXPECT_EQ(MusicCountdown, 9) << "the game clock must not run";
    EXPECT_EQ(ViewX, viewX);
    int32_t x = 0;
    int32_t y = 0;
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 360);
}

// The activation that comes while the window is being created, before any
// pass, changes nothing; start-up makes the game active itself.
TEST(ActivationTest, TheActivationDuringCreationChangesNothing) {
    HeadlessReset();
    ResetGame();
    ASSERT_EQ(FrameCount, 0u);
    WindowProc(nullptr, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(AppActive, 0);
    EXPECT_EQ(HeadlessFramesPresented(), 0u);
}

}  // namespace
