// SPDX-License-Identifier: MIT
// Whole games with Tab held: the overview comes and goes with the key on the
// board screen only, the pointer travels S times further, and the buttons
// rest while the keys and the clock go on.
#include <string>

#include "board/board.h"
#include "board/clock.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "tests/support/played_game.h"
#include "video/overview.h"

namespace {

using Lines = std::vector<std::string>;

class OverviewGameTest : public PlayedGameTest {
  protected:
    void Move(int dx, int dy) {
        Play("move " + std::to_string(dx) + " " + std::to_string(dy) + "\npass");
    }
};

const Lines AllHidden(5, "HHHHHH");

// On the 6 x 5 field S is 89: a pixel of movement is 32/89 of a board pixel.
// What a pass cannot move is kept, in either direction, so slow movement
// travels as far as fast movement; the edges stop it as ever.
TEST_F(OverviewGameTest, FastTravelMovesThirtyTwoOverSKeepsTheRestAndStopsAtTheEdges) {
    StartOnField();
    AimAt(2, 2);
    const std::string dump = TestFolder() + "/state.json";
    Play("keydown Tab\npass\ndump " + dump);
    ASSERT_EQ(Overview, 1);
    EXPECT_NE(ReadWholeFile(dump).find("\"Overview\": 1,"), std::string::npos);
    ASSERT_EQ(OverviewScale(), 89);
    ASSERT_EQ(ViewX, 80);

    const int steps[][2] = {{1, 80},    // 32 / 89: nothing yet
                            {1, 80},    // 64 / 89
                            {1, 81},    // 96 / 89: one, 7 kept
                            {-1, 81},   // -25 / 89
                            {-3, 80},   // -121 / 89: minus one, -32 kept
                            {0, 80},    // nothing moves, nothing lost
                            {-2, 79}};  // -96 / 89
    for (const auto& [dx, viewX] : steps) {
        Move(dx, 0);
        EXPECT_EQ(ViewX, viewX) << "after a move of " << dx;
    }
    for (int pass = 0; pass < 89; ++pass)
        Move(0, 1);
    EXPECT_EQ(ViewY, 80 + 32) << "89 one-pixel moves make one cell";

    Move(-1000, 1000);
    EXPECT_EQ(ViewX, -32);
    EXPECT_EQ(ViewY, 32 * 5 + 32);
    // Back to the normal picture: a pixel is a board pixel again, nothing kept.
    Play("keyup Tab\npass");
    EXPECT_EQ(Overview, 0);
    Move(1, -1);
    EXPECT_EQ(ViewX, -31);
    EXPECT_EQ(ViewY, 32 * 5 + 31);
}

// At S = 1 a pixel is a cell: the largest field is crossed, edge to edge, by
// 302 pixels of mouse travel, less than the screen is wide.
TEST_F(OverviewGameTest, TheLargestFieldIsCrossedInLessThanAScreenOfMouseTravel) {
    Launch(WriteTestFile("wide.tvm", "Wide,300,300,9000,90000,"));
    Play("clock 5000\npass\nkey F1\npass\nkeydown Tab\npass");
    ASSERT_EQ(OverviewScale(), 1);
    Move(-400, -400);
    ASSERT_EQ(ViewX, -32);
    Move(301, 301);
    EXPECT_EQ(ViewX, 9600);
    EXPECT_EQ(ViewY, 9600);
    Move(1, 5);
    EXPECT_EQ(ViewX, 9632);
    EXPECT_EQ(ViewY, 9632);
}

// Buttons change nothing while Tab is held, not even the start of the clock;
// a button already down when Tab goes down is let go without acting, so its
// release after Tab opens and marks nothing. Keys keep their meaning, and
// the clock runs on.
TEST_F(OverviewGameTest, ButtonsRestWhileTabIsHeldAndKeysAndTheClockGoOn) {
    StartOnField();
    AimAt(2, 2);
    Play("keydown Tab\npass\nclick left\npass\nclick right\npass");
    Play("down left\npass\ndown right\npass\nup left\npass\nup right\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(StartTick, 0u);
    EXPECT_EQ(CoverArt(), AllHidden);
    EXPECT_EQ(LeftButton, Idle);
    EXPECT_EQ(RightButton, Idle);

    Play("keyup Tab\npass\ndown left\npass");
    ASSERT_EQ(GameState, Playing);
    ASSERT_EQ(LeftButton, Pressed);
    Play("keydown Tab\npass");
    EXPECT_EQ(LeftButton, Idle);
    Play("keyup Tab\npass\nup left\npass");
    Play("down right\npass\ndown left\npass\nkeydown Tab\npass\nkeyup Tab\npass");
    Play("up right\npass\nup left\npass");
    EXPECT_EQ(CoverArt(), AllHidden) << "an open, a mark or a chord got through";

    Play("keydown Tab\npass\nwait 2000");
    EXPECT_GE(EndTick - StartTick, 2000u) << "the overview is no pause";
    Play("key F1\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(Overview, 1);

    Restart();
    StartOnField();
    ClickCell(0, 0, "left");
    ASSERT_EQ(GameState, Lost);
    Play("keydown Tab\npass\nclick left\npass");
    EXPECT_EQ(GameState, Lost) << "the lost field can be looked at";
    Play("keyup Tab\npass\nclick left\npass");
    EXPECT_EQ(GameState, Title);
}

// The title and the name entry ignore Tab, and a press that began there does
// not carry over onto the board; nor does an auto-repeat count as a press.
// Losing the focus ends the overview: the release of Tab would not come.
TEST_F(OverviewGameTest, TabIsIgnoredOffTheBoardAsARepeatAndWithoutTheFocus) {
    StartOnTitle();
    Play("keydown Tab\npass\nmove 0 40\npass\nkey F1\npass");
    EXPECT_EQ(MenuCursorY, 40);
    ASSERT_EQ(GameState, Ready);
    EXPECT_EQ(Overview, 0);
    HeadlessPostInput(WM_KEYDOWN, VK_TAB, LPARAM{1} << 30);
    Play("pass");
    EXPECT_EQ(Overview, 0);
    Play("keydown Tab\npass\nactivate 0\npass\nactivate 1\npass");
    EXPECT_EQ(Overview, 0);
    const int32_t viewX = ViewX;
    Move(1, 0);
    EXPECT_EQ(ViewX, viewX + 1);

    Restart();
    EnterNameEntry();
    Play("keydown Tab\npass\nclick left\npass");
    EXPECT_EQ(Overview, 0);
    EXPECT_EQ(NameLength, 1);
}

}  // namespace
