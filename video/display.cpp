// SPDX-License-Identifier: MIT
#include "video/display.h"

#include <algorithm>
#include <cstring>

#include "video/bitmap_resource.h"

uint8_t BackBuffer[ScreenWidth * ScreenHeight];
uint8_t SpriteSheet[SheetWidth * SheetHeight];
PaletteEntry PaletteTable[256];

namespace {

// Whether the platform's screen is ours. Everything but the hand-over to the
// screen works without it: the back buffer and the sheet are plain memory.
bool DisplayOpen;

// Index 0 is the colour every frame is cleared to and the transparent colour
// of every copy from the sheet.
constexpr uint8_t TransparentIndex = 0;

// The width of a cell tile, the copy made hundreds of times per frame.
constexpr int64_t WholeTileColumns = 32;

// Copies one row from the sheet, leaving the back buffer as it is where the
// sheet is transparent. Written as a select between rows that never overlap,
// so the compiler can turn it into vector blends instead of a branch per
// pixel.
inline void CopyKeyedRow(const uint8_t* __restrict from, uint8_t* __restrict to, int64_t columns) {
    for (int64_t column = 0; column < columns; ++column) {
        const uint8_t pixel = from[column];
        to[column] = pixel != TransparentIndex ? pixel : to[column];
    }
}

}  // namespace

int32_t ShowingFrames;

int InitDisplay(WindowHandle window, int32_t width, int32_t height, int32_t sheetWidth,
                int32_t sheetHeight) {
    // The back buffer and the sheet are fixed arrays: a request for anything
    // they cannot hold would have every later copy write past them.
    if (width != ScreenWidth || height != ScreenHeight)
        return 0;
    if (sheetWidth <= 0 || sheetWidth > SheetWidth || sheetHeight <= 0 ||
        sheetHeight > SheetHeight) {
        return 0;
    }
    if (!OpenDisplay(window, width, height))
        return 0;
    DisplayOpen = true;
    return 1;
}

int LoadPalette(const char* name) {
    BitmapResource bitmap;
    if (!FindBitmapResource(name, &bitmap))
        return 0;
    if (bitmap.colourCount == 0)
        return 0;  // a true-colour picture has no palette
    // Entries beyond the bitmap's own count keep their colours.
    for (uint32_t i = 0; i < bitmap.colourCount; ++i) {
        const uint8_t* quad = bitmap.colours + 4 * i;  // blue, green, red, reserved
        PaletteTable[i].red = quad[2];
        PaletteTable[i].green = quad[1];
        PaletteTable[i].blue = quad[0];
        PaletteTable[i].flags = 0;
    }
    return 1;
}

int LoadSheetBitmap(const char* name, int32_t width, int32_t height) {
    BitmapResource bitmap;
    if (!FindBitmapResource(name, &bitmap))
        return 0;
    if (!bitmap.hasIndexedPixels)
        return 0;

    // Only the overlap of the requested region, the picture and the sheet is
    // copied; whatever lies outside the picture keeps its old pixels.
    const int32_t columns = std::min({width, bitmap.width, SheetWidth});
    const int32_t rows = std::min({height, bitmap.height, SheetHeight});
    for (int32_t y = 0; y < rows; ++y) {
        std::memcpy(SpriteSheet + y * SheetWidth, BitmapRow(bitmap, y), columns > 0 ? columns : 0);
    }
    return 1;
}

void BlitSprite(int32_t x, int32_t y, const Rect& source) {
    // Wide arithmetic throughout: a position far off the screen must clip to
    // nothing, not wrap around onto it.
    int64_t left = source.left;
    int64_t top = source.top;
    int64_t right = source.right;
    int64_t bottom = source.bottom;
    int64_t destX = x;
    int64_t destY = y;
    const int64_t width = right - left;
    const int64_t height = bottom - top;

    if (destX < 0) {
        left -= destX;
        destX = 0;
    }
    if (destY < 0) {
        top -= destY;
        destY = 0;
    }
    // The right and bottom tests take the unclipped size with the clamped
    // position, against the fixed screen bounds.
    if (destX + width > ScreenWidth)
        right -= destX + width - ScreenWidth;
    if (destY + height > ScreenHeight)
        bottom -= destY + height - ScreenHeight;
    if (right <= left || bottom <= top)
        return;  // wholly off the screen

    // A rectangle reaching outside the sheet is refused whole, as a hardware
    // copy refuses an invalid source, instead of reading beyond the sheet.
    if (left < 0 || top < 0 || right > SheetWidth || bottom > SheetHeight)
        return;

    const int64_t columns = right - left;
    const int64_t rows = bottom - top;
    const uint8_t* from = SpriteSheet + top * SheetWidth + left;
    uint8_t* to = BackBuffer + destY * ScreenWidth + destX;
    if (columns == WholeTileColumns) {
        // Nearly every copy of a frame is a whole tile: with the width known,
        // each row becomes a few vector blends.
        for (int64_t row = 0; row < rows; ++row, from += SheetWidth, to += ScreenWidth)
            CopyKeyedRow(from, to, WholeTileColumns);
        return;
    }
    for (int64_t row = 0; row < rows; ++row, from += SheetWidth, to += ScreenWidth)
        CopyKeyedRow(from, to, columns);
}

void FillRectangle(int32_t x, int32_t y, int32_t width, int32_t height, uint8_t colour) {
    // Wide arithmetic, as for the copies: a rectangle far off the screen
    // clips to nothing.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t right = std::min<int64_t>(int64_t{x} + width, ScreenWidth);
    const int64_t bottom = std::min<int64_t>(int64_t{y} + height, ScreenHeight);
    if (right <= left)
        return;
    for (int64_t row = top; row < bottom; ++row)
        std::memset(BackBuffer + row * ScreenWidth + left, colour,
                    static_cast<size_t>(right - left));
}

void ClearBackBuffer() {
    std::memset(BackBuffer, TransparentIndex, sizeof(BackBuffer));
}

void FlipPage() {
    if (DisplayOpen)
        PresentFrame(ShowingFrames ? BackBuffer : nullptr, PaletteTable);
}

void RestoreSurfaces() {
    // Nothing of ours can be lost: the pages and the sheet are our own memory.
    // What a player sees after coming back starts from a black screen.
    ClearBackBuffer();
    FlipPage();
}

void ReleaseDisplay() {
    if (DisplayOpen)
        CloseDisplay();
    DisplayOpen = false;
}

void ResetDisplay() {
    std::memset(BackBuffer, 0, sizeof(BackBuffer));
    std::memset(SpriteSheet, 0, sizeof(SpriteSheet));
    std::memset(PaletteTable, 0, sizeof(PaletteTable));
    DisplayOpen = false;
    ShowingFrames = 1;
}

// The start values are the reset values, written once, above.
static const bool DisplayStarted = (ResetDisplay(), true);
