// SPDX-License-Identifier: MIT
#include "platform/common/shown_frame.h"

#include <cstring>

namespace {

constexpr size_t FrameBytes = static_cast<size_t>(ScreenWidth) * ScreenHeight;

}  // namespace

bool ShownFrame::Matches(const uint8_t* pixels, const PaletteEntry* palette) const {
    // The palette first: it is small, and when it changes (a fade) the
    // whole frame is new anyway.
    return remembered_ && std::memcmp(palette_, palette, sizeof(palette_)) == 0 &&
           std::memcmp(pixels_.data(), pixels, FrameBytes) == 0;
}

void ShownFrame::Remember(const uint8_t* pixels, const PaletteEntry* palette) {
    pixels_.assign(pixels, pixels + FrameBytes);
    std::memcpy(palette_, palette, sizeof(palette_));
    remembered_ = true;
}

void ShownFrame::Forget() {
    remembered_ = false;
}
