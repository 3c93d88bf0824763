// SPDX-License-Identifier: MIT
// The frame already on the screen: a frame matches only when every index
// and every palette byte are those remembered, and never before the first
// frame or after the screen was lost.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/shown_frame.h"

namespace {

TEST(ShownFrame, MatchesOnlyTheRememberedFrameByteForByte) {
    std::vector<uint8_t> pixels(ScreenWidth * ScreenHeight);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint8_t>(i * 7 % 251);
    PaletteEntry palette[256];
    for (int i = 0; i < 256; ++i)
        palette[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 9, 0};

    ShownFrame shown;
    EXPECT_FALSE(shown.Matches(pixels.data(), palette)) << "nothing is on the screen yet";
    shown.Remember(pixels.data(), palette);
    EXPECT_TRUE(shown.Matches(pixels.data(), palette));

    // A copy is kept: changing the game's buffer afterwards is a new frame.
    std::vector<uint8_t> changed = pixels;
    for (size_t at : {size_t{0}, pixels.size() / 2, pixels.size() - 1}) {
        changed[at] ^= 1;
        EXPECT_FALSE(shown.Matches(changed.data(), palette)) << "pixel " << at;
        changed[at] ^= 1;
    }
    EXPECT_TRUE(shown.Matches(changed.data(), palette));

    // Every byte of every colour counts, the last entry's included.
    PaletteEntry faded[256];
    std::copy(palette, palette + 256, faded);
    faded[255].blue = 10;
    EXPECT_FALSE(shown.Matches(pixels.data(), faded));
    faded[255].blue = palette[255].blue;
    faded[0].flags = 1;
    EXPECT_FALSE(shown.Matches(pixels.data(), faded));

    shown.Forget();
    EXPECT_FALSE(shown.Matches(pixels.data(), palette)) << "the screen was lost";
    shown.Remember(changed.data(), palette);
    EXPECT_TRUE(shown.Matches(pixels.data(), palette));
}

}  // namespace
