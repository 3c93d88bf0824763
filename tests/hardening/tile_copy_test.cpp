// SPDX-License-Identifier: MIT
// The tile copy takes a vectorised path for whole tiles, since it runs
// hundreds of times a frame. Whatever the path, it must draw exactly what
// the plain pixel-by-pixel copy with colour key and clipping draws.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "tests/support/game_fixture.h"
#include "video/display.h"

namespace {

// The copy as the game describes it: every sheet pixel but index 0, inside
// the screen, lands at its place.
void PlainCopy(std::vector<uint8_t>* screen, int32_t x, int32_t y, const Rect& source) {
    for (int32_t row = source.top; row < source.bottom; ++row) {
        for (int32_t column = source.left; column < source.right; ++column) {
            const int32_t sx = x + column - source.left;
            const int32_t sy = y + row - source.top;
            const uint8_t pixel = SpriteSheet[row * SheetWidth + column];
            if (sx >= 0 && sx < ScreenWidth && sy >= 0 && sy < ScreenHeight && pixel != 0)
                (*screen)[sy * ScreenWidth + sx] = pixel;
        }
    }
}

class TileCopy : public GameTest {};

TEST_F(TileCopy, DrawsWhatThePlainCopyDrawsWhereverTheTileLands) {
    std::mt19937 random(3);
    for (int i = 0; i < SheetWidth * SheetHeight; ++i)
        SpriteSheet[i] = random() % 3 == 0 ? 0 : static_cast<uint8_t>(1 + random() % 255);
    std::memset(BackBuffer, 9, sizeof(BackBuffer));
    std::vector<uint8_t> expected(BackBuffer, BackBuffer + sizeof(BackBuffer));

    // Whole tiles at aligned and odd places, on and across every edge, and
    // narrower or wider rectangles such as font glyphs and the menu bar.
    for (int copy = 0; copy < 3000; ++copy) {
        const int32_t width = copy % 3 == 0 ? 1 + static_cast<int32_t>(random() % 64) : 32;
        const int32_t height = copy % 3 == 0 ? 1 + static_cast<int32_t>(random() % 40) : 32;
        const int32_t left = static_cast<int32_t>(random() % (SheetWidth - width + 1));
        const int32_t top = static_cast<int32_t>(random() % (SheetHeight - height + 1));
        const Rect source{left, top, left + width, top + height};
        const int32_t x = static_cast<int32_t>(random() % (ScreenWidth + 80)) - 40;
        const int32_t y = static_cast<int32_t>(random() % (ScreenHeight + 80)) - 40;
        BlitSprite(x, y, source);
        PlainCopy(&expected, x, y, source);
    }
    EXPECT_EQ(std::memcmp(BackBuffer, expected.data(), expected.size()), 0);
}

}  // namespace
