// SPDX-License-Identifier: MIT
// The overview of the whole field: its scale, and a frame composed while it
// is shown on a known board.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/compose.h"
#include "video/overview.h"

namespace {

TEST_F(GameTest, TheOverviewScaleIsTheLargestThatFitsTheFieldIntoTheScreen) {
    // Width, height, S: 608 x 448 pixels is the room, and S is at least 1.
    const int32_t cases[][3] = {{1, 1, 448},   {300, 300, 1}, {19, 300, 1}, {300, 1, 2},
                                {16, 16, 28},  {30, 16, 20},  {9, 9, 49},   {304, 224, 2},
                                {305, 224, 1}, {152, 112, 4}, {153, 112, 3}};
    for (const auto& c : cases) {
        BoardWidth = c[0];
        BoardHeight = c[1];
        EXPECT_EQ(OverviewScale(), c[2]) << c[0] << " x " << c[1];
    }
}

// A 30 x 20 field is drawn at S = 20 from (20, 40). Every kind of cell shows
// its colour, the frame stands two pixels outside the 20 x 15 cells the normal
// screen shows, the mark sits on the cell a click acts on, and the
// texts and the face are still drawn over it all.
TEST_F(GameTest, AFrameWithTheOverviewShowsTheFieldTheViewAndTheTexts) {
    InstallRecognisableSheet();
    HeadlessSetTicks(100000);
    std::vector<std::string> art(20, std::string(30, '#'));
    art[0][0] = '*';
    art[0][29] = '.';
    SetBoardFromArt(art);
    CoverState[CellIndex(2, 0)] = Open;  // a 0
    CoverState[CellIndex(1, 1)] = Open;  // a 1, beside the mine
    CoverState[CellIndex(4, 0)] = Flagged;
    CoverState[CellIndex(6, 0)] = Questioned;
    ASSERT_EQ(CellValue[CellIndex(2, 0)], 0);
    ASSERT_EQ(CellValue[CellIndex(1, 1)], 1);
    GameState = Lost;
    Overview = 1;
    ViewX = 32 * 15;
    ViewY = 32 * 10;
    ComposeFrame();

    // The centre pixel of a cell's block.
    auto cell = [](int32_t i, int32_t j) { return PixelAt(20 + 20 * i + 10, 40 + 20 * j + 10); };
    EXPECT_EQ(cell(0, 0), OverviewMineColour) << "a hidden mine after a loss";
    EXPECT_EQ(cell(2, 0), OverviewOpenEmptyColour);
    EXPECT_EQ(cell(1, 1), OverviewNumberColour);
    EXPECT_EQ(cell(4, 0), OverviewFlaggedColour);
    EXPECT_EQ(cell(6, 0), OverviewQuestionedColour);
    EXPECT_EQ(cell(29, 0), OverviewVoidColour);
    EXPECT_EQ(cell(8, 0), OverviewHiddenColour);
    EXPECT_EQ(cell(25, 19), OverviewHiddenColour) << "the last row (the face covers its end)";
    EXPECT_EQ(PixelAt(20 + 600, 300), 0) << "nothing right of the field";
    EXPECT_EQ(PixelAt(300, 40 + 400), 0) << "nothing below it";

    // The screen shows board pixels 161 to 800 across and 81 to 560 down:
    // overview pixels 120 to 520 and 90 to 390, framed two pixels wide.
    for (const auto& [x, y] : std::vector<std::pair<int32_t, int32_t>>{
             {118, 88}, {119, 200}, {521, 300}, {300, 88}, {300, 391}, {520, 391}}) {
        EXPECT_EQ(PixelAt(x, y), OverviewOutlineColour) << x << ", " << y;
    }
    EXPECT_EQ(PixelAt(120, 90), OverviewHiddenColour) << "the cells inside stay in sight";
    EXPECT_EQ(PixelAt(117, 200), OverviewHiddenColour);

    // The mark: on the middle of the view cell (15, 10), (330, 250); arms of
    // S / 2, bars three pixels wide, edged.
    for (const auto& [x, y] :
         std::vector<std::pair<int32_t, int32_t>>{{330, 250}, {340, 250}, {330, 240}, {335, 251}}) {
        EXPECT_EQ(PixelAt(x, y), OverviewMarkColour) << x << ", " << y;
    }
    EXPECT_EQ(PixelAt(341, 250), OverviewMarkEdgeColour);
    EXPECT_EQ(PixelAt(335, 252), OverviewMarkEdgeColour);
    EXPECT_EQ(PixelAt(335, 253), OverviewHiddenColour);
    EXPECT_EQ(CountPixels(CursorBoxId), 0) << "the mark takes the crosshair's place";

    // Beyond the left edge there is no cell: the mark stands on the point,
    // board (-20, 320) at overview (7, 240).
    ViewX = -20;
    ComposeFrame();
    EXPECT_EQ(PixelAt(7, 240), OverviewMarkColour);
    EXPECT_EQ(PixelAt(18, 240), OverviewMarkEdgeColour);

    ExpectTexts({{5, 5, 1, "High-Score"}, {5, 428, 1, "You"}, {240, 150, 0, "Game Is Over !"}});
    EXPECT_EQ(PixelAt(560, 410), FaceId(1, 0));
}

}  // namespace
