// SPDX-License-Identifier: MIT
#include "video/overview.h"

#include <algorithm>

#include "board/board.h"
#include "state/game_state.h"
#include "video/display.h"

namespace {

// The screen shows the board from 319 pixels left of the view point to 320
// right of it, and from 239 above to 240 below.
constexpr int32_t ViewPixelX = 319;
constexpr int32_t ViewPixelY = 239;

uint8_t CellColour(int32_t cell) {
    const bool mine = CellValue[cell] == Mine;
    switch (CoverState[cell]) {
        case Hidden:
            return GameState == Lost && mine ? OverviewMineColour : OverviewHiddenColour;
        case Open:
            if (mine)
                return OverviewMineColour;
            return CellValue[cell] == 0 ? OverviewOpenEmptyColour : OverviewNumberColour;
        case Flagged:
            return OverviewFlaggedColour;
        case Questioned:
            return OverviewQuestionedColour;
        default:
            return OverviewVoidColour;
    }
}

// Rounds toward minus infinity, so points left of or above the field land
// left of or above it on the overview too.
int64_t FloorDivide(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

struct Layout {
    int32_t scale;
    int32_t left;  // screen position of the field's top-left corner
    int32_t top;

    // The screen position of a point of the board plane.
    int32_t X(int64_t boardX) const {
        return left + static_cast<int32_t>(FloorDivide(boardX * scale, CellPixels));
    }
    int32_t Y(int64_t boardY) const {
        return top + static_cast<int32_t>(FloorDivide(boardY * scale, CellPixels));
    }
};

Layout CurrentLayout() {
    Layout layout;
    layout.scale = OverviewScale();
    layout.left = (ScreenWidth - BoardWidth * layout.scale) / 2;
    layout.top = (ScreenHeight - BoardHeight * layout.scale) / 2;
    return layout;
}

void DrawField(const Layout& layout) {
    const int32_t s = layout.scale;
    for (int32_t i = 0; i < BoardWidth; ++i) {
        for (int32_t j = 0; j < BoardHeight; ++j) {
            const uint8_t colour = CellColour(CellIndex(i, j));
            if (colour != OverviewVoidColour)
                FillRectangle(layout.left + s * i, layout.top + s * j, s, s, colour);
        }
    }
}

// A frame just outside the part of the field the normal screen shows, so
// the cells inside stay in sight: one pixel wide round small cells, two
// round larger ones.
void DrawViewOutline(const Layout& layout) {
    const int32_t line = layout.scale < 8 ? 1 : 2;
    const int32_t left = layout.X(int64_t{ViewX} - ViewPixelX) - line;
    const int32_t top = layout.Y(int64_t{ViewY} - ViewPixelY) - line;
    const int32_t right = layout.X(int64_t{ViewX} - ViewPixelX + ScreenWidth) + line;
    const int32_t bottom = layout.Y(int64_t{ViewY} - ViewPixelY + ScreenHeight) + line;
    FillRectangle(left, top, right - left, line, OverviewOutlineColour);
    FillRectangle(left, bottom - line, right - left, line, OverviewOutlineColour);
    FillRectangle(left, top, line, bottom - top, OverviewOutlineColour);
    FillRectangle(right - line, top, line, bottom - top, OverviewOutlineColour);
}

// A cross on the cell the next click acts on, in the middle of its block;
// beyond the edges, where there is no such cell, on the point under the
// centre cursor. Its bars grow with the cells, so it stays in sight on a
// field of a few large blocks.
void DrawCursorMark(const Layout& layout) {
    int32_t x = layout.X(ViewX);
    int32_t y = layout.Y(ViewY);
    int32_t column;
    int32_t row;
    if (GetViewCell(&column, &row)) {
        x = layout.left + layout.scale * column + layout.scale / 2;
        y = layout.top + layout.scale * row + layout.scale / 2;
    }
    const int32_t arm = std::max(3, layout.scale / 2);
    const int32_t half = layout.scale / 16;  // of a bar's width, beside its middle line
    FillRectangle(x - arm - 1, y - half - 1, 2 * arm + 3, 2 * half + 3, OverviewMarkEdgeColour);
    FillRectangle(x - half - 1, y - arm - 1, 2 * half + 3, 2 * arm + 3, OverviewMarkEdgeColour);
    FillRectangle(x - arm, y - half, 2 * arm + 1, 2 * half + 1, OverviewMarkColour);
    FillRectangle(x - half, y - arm, 2 * half + 1, 2 * arm + 1, OverviewMarkColour);
}

}  // namespace

int32_t OverviewScale() {
    if (BoardWidth < 1 || BoardHeight < 1)
        return 1;
    return std::max(1, std::min(OverviewRoomWidth / BoardWidth, OverviewRoomHeight / BoardHeight));
}

void DrawOverview() {
    const Layout layout = CurrentLayout();
    DrawField(layout);
    DrawViewOutline(layout);
    DrawCursorMark(layout);
}
