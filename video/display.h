// SPDX-License-Identifier: MIT
// The display: a 640x480 back buffer of palette indices that every frame is
// drawn into from scratch, the sprite sheet every picture is copied from, the
// 256-colour palette, and the few drawing primitives the game needs.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// A rectangle of sheet pixels: left, top, right, bottom; right and bottom
// are exclusive, so a 32-pixel tile at the origin is {0, 0, 32, 32}.
struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

constexpr int32_t SheetWidth = 640;
constexpr int32_t SheetHeight = 480;  // the bitmap fills the top 460 rows
constexpr int32_t SheetBitmapHeight = 460;

extern uint8_t BackBuffer[ScreenWidth * ScreenHeight];
extern uint8_t SpriteSheet[SheetWidth * SheetHeight];
extern PaletteEntry PaletteTable[256];

// Takes over the screen. 1, or 0 when the display cannot be set up.
int InitDisplay(WindowHandle window, int32_t width, int32_t height, int32_t sheetWidth,
                int32_t sheetHeight);

// Fills PaletteTable from the colour table of a bitmap resource. 1, or 0
// when the resource is missing or damaged (the palette is then unchanged).
int LoadPalette(const char* name);

// Copies the top-left width x height pixels of an 8-bit bitmap resource into
// the sheet. 1, or 0 when it is missing, not 8-bit uncompressed, or shorter
// than its header says (the sheet then keeps its pixels).
int LoadSheetBitmap(const char* name, int32_t width, int32_t height);

// Copies a sheet rectangle to (x, y) of the back buffer, clipped to the
// screen; sheet pixels of index 0 are transparent.
void BlitSprite(int32_t x, int32_t y, const Rect& source);

// Fills a width x height rectangle of the back buffer from (x, y) with one
// palette index, clipped to the screen.
void FillRectangle(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour);

// 1: FlipPage shows each composed frame; 0: frames are composed but not
// shown (a replay played faster than the screen can follow skips some).
extern int32_t ShowingFrames;

void ClearBackBuffer();  // every pixel to index 0
void FlipPage();         // shows the back buffer with PaletteTable
void RestoreSurfaces();  // after the display came back: clear and show black
void ReleaseDisplay();

// Back to the values at process start; also how they are set at start-up.
void ResetDisplay();
