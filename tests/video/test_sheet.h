// SPDX-License-Identifier: MIT
// Pictures for the presentation tests: bitmap resources built byte by byte,
// and a sheet whose every picture can be recognised on the back buffer.
//
// The recognisable sheet follows the game's layout, but each picture is
// painted with numbers instead of art:
//   - the 32x32 tile cell in column c, row r is filled with 1 + 13 r + c,
//     with CornerMark in its top-left pixel so its exact position shows;
//   - the cursor box has only a 1-pixel border of CursorBoxId, the press
//     highlight only a 4x4 block of PressHighlightId at its centre, so the
//     cell under either stays readable at (x + 5, y + 5);
//   - every glyph has its character code at (1, 1) and FontMark + font at
//     (2, 1) and is transparent elsewhere; the space is wholly transparent;
//   - the menu bar, the logo and the six faces are filled with their ids.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "video/display.h"

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline std::ostream& operator<<(std::ostream& out, const Rect& r) {
    return out << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

// What goes into a bitmap resource (info header, colour table, pixels).
struct BitmapLayout {
    int32_t width = 1;
    int32_t height = 1;  // the stored rows; negative in the header when topDown
    bool topDown = false;
    uint16_t bitCount = 8;
    uint32_t compression = 0;
    uint32_t coloursUsed = 0;
    uint32_t headerSize = 40;
    std::vector<uint8_t> colourTable;  // blue, green, red, reserved quads
    std::vector<uint8_t> pixels;       // rows top to bottom, unpadded, written as 8-bit
};
std::vector<uint8_t> BuildBitmap(const BitmapLayout& layout);

// Entry i: blue i, green 255 - i, red i / 2, reserved 0x5A (never a flag).
std::vector<uint8_t> ColourRamp(uint32_t count);

constexpr uint8_t CornerMark = 255;
constexpr uint8_t CursorBoxId = 8;
constexpr uint8_t PressHighlightId = 9;
constexpr uint8_t MenuBarId = 150;
constexpr uint8_t LogoId = 151;
constexpr uint8_t FontMark = 200;  // plus the font number

// The face of column 0..2 (smiling, crossed-out eyes, sunglasses), phase 0..1.
uint8_t FaceId(int32_t column, int32_t phase);

// Loads the recognisable sheet and its palette as "BMP1"; sets up the tables.
void InstallRecognisableSheet();

// Reading the back buffer; outside the screen reads as 0.
uint8_t PixelAt(int32_t x, int32_t y);
int64_t CountPixels(uint8_t value);

// The id of the tile drawn from (x, y), and the id of TileRects[tile].
uint8_t TileIdAt(int32_t x, int32_t y);
uint8_t IdOfTile(int32_t tile);

// The text of `length` glyphs of `font` drawn from (x, y) 12 pixels apart: a
// glyph of the font reads as its character, a glyph of the other font as
// '~', and anything else as ' '.
std::string TextAt(int32_t x, int32_t y, int32_t font, int32_t length);

// Expects each text drawn in its font with its first glyph at (x, y).
struct At {
    int32_t x;
    int32_t y;
    int32_t font;
    std::string text;
};
void ExpectTexts(const std::vector<At>& texts);
