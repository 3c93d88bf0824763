// SPDX-License-Identifier: MIT
// The frame already on the screen. The game composes a frame on every pass
// of its loop, and on a board where nothing moves nearly all of them are
// the one the screen already shows (the clock changes once a second). A
// display that keeps the last frame it showed can tell such a frame in one
// pass over its bytes and leave the screen as it is, instead of converting,
// uploading and presenting it again. Every backend that shows frames uses
// this one piece, so they all agree on what "the same" means: the same
// 640x480 indices and the same 256 colours, byte for byte.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

class ShownFrame {
  public:
    // Whether `pixels` (ScreenWidth x ScreenHeight indices) and `palette`
    // (256 entries) are byte for byte the frame last remembered. Never true
    // before the first Remember or after Forget.
    bool Matches(const uint8_t* pixels, const PaletteEntry* palette) const;

    // Keeps a copy of the frame just put on the screen.
    void Remember(const uint8_t* pixels, const PaletteEntry* palette);

    // The screen no longer shows the remembered frame (the window was
    // resized, exposed or lost its contents): the next frame is shown
    // whatever it is.
    void Forget();

  private:
    bool remembered_ = false;
    std::vector<uint8_t> pixels_;
    PaletteEntry palette_[256] = {};
};
