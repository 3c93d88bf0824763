// SPDX-License-Identifier: MIT
// The 640x480 screen of palette indices, drawn on the page's canvas.
//
// Each frame goes through a 256-entry table of the palette's colours into
// a buffer of four bytes per pixel, which the canvas takes as it is. The
// page's style sheet scales the canvas by a whole number, pixel for pixel
// (image-rendering: pixelated), with black around it. A frame the same as
// the one already on the canvas is not drawn again: the title and a board
// at rest cost almost nothing. The browser's animation frames pace it all.
#include <cstring>
#include <vector>

#include "platform/common/shown_frame.h"
#include "platform/platform.h"
#include "platform/web/web_backend.h"

namespace {

constexpr size_t FramePixels = static_cast<size_t>(ScreenWidth) * ScreenHeight;

bool Open = false;
uint64_t Drawn = 0;

// The colours as the canvas keeps them in memory: red, green, blue, alpha.
uint32_t CanvasColours[256];
std::vector<uint32_t> CanvasPixels;

// The frame on the canvas, to tell an unchanged one.
ShownFrame OnCanvas;

uint32_t CanvasColour(const PaletteEntry& entry) {
    const uint8_t bytes[4] = {entry.red, entry.green, entry.blue, 0xFF};
    uint32_t colour = 0;
    std::memcpy(&colour, bytes, sizeof(colour));
    return colour;
}

}  // namespace

int OpenDisplay(WindowHandle window, int width, int height) {
    if (window == nullptr || width != ScreenWidth || height != ScreenHeight)
        return 0;
    if (Open)
        return 1;
    if (!torvex_display_open())
        return 0;
    CanvasPixels.assign(FramePixels, 0);
    OnCanvas.Forget();
    Open = true;
    return 1;
}

void PresentFrame(const uint8_t* pixels, const PaletteEntry* palette) {
    if (!Open || pixels == nullptr || palette == nullptr)
        return;
    if (OnCanvas.Matches(pixels, palette))
        return;
    for (int i = 0; i < 256; ++i)
        CanvasColours[i] = CanvasColour(palette[i]);
    uint32_t* out = CanvasPixels.data();
    for (size_t i = 0; i < FramePixels; ++i)
        out[i] = CanvasColours[pixels[i]];
    torvex_display_draw(reinterpret_cast<const uint8_t*>(out));
    OnCanvas.Remember(pixels, palette);
    ++Drawn;
}

void CloseDisplay() {
    if (!Open)
        return;
    torvex_display_clear();
    Open = false;
    OnCanvas.Forget();
}

uint64_t FramesDrawn() {
    return Drawn;
}
