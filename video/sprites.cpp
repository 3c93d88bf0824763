// SPDX-License-Identifier: MIT
#include "video/sprites.h"

#include "board/clock.h"
#include "board/random.h"
#include "state/game_state.h"

Rect TileRects[TileCount];
Rect FontRects[2 * FontGlyphs];
Rect FaceRects[12];
Rect MenuBarRect;
Rect LogoRect;

namespace {

constexpr int32_t TilePixels = 32;

// The filler of the tile table: a flat cell with a small dot, beside the
// cover row. No cell ever selects it, so seeing it on screen means a bug.
constexpr Rect SpareTileRect = {288, 0, 320, 32};

// Drawn for characters the fonts do not have. Its top two rows are the menu
// bar's lowest two; the rest of it is transparent.
constexpr Rect DefaultGlyphRect = {177, 337, 190, 350};

// The fonts hold characters 32 to 127 in 6 columns of 16, 16x16 glyphs at a
// 17-pixel pitch; the 1-pixel lines between them are never copied.
constexpr int32_t FirstFontCharacter = 32;
constexpr int32_t FontColumnsOnSheet = 6;
constexpr int32_t FontRowsOnSheet = 16;
constexpr int32_t GlyphPixels = 16;
constexpr int32_t GlyphPitch = 17;
constexpr int32_t FontLeft[2] = {417, 519};
constexpr int32_t FontTop = 1;

constexpr int32_t FacePixels = 64;
constexpr int32_t FaceColumnLeft[3] = {314, 379, 444};  // smiling, crossed-out eyes, sunglasses
constexpr int32_t FaceRowTop[2] = {322, 388};           // blink phase 0 and 1

constexpr Rect TileAt(int32_t left, int32_t top) {
    return {left, top, left + TilePixels, top + TilePixels};
}

void SetUpTileRects() {
    for (Rect& rect : TileRects)
        rect = SpareTileRect;
    // The cover row: pressed flat, pressed half-way, raised; then the cell
    // sinking again (half-way, flat) and the flag and question mark frames.
    TileRects[0] = TileAt(64, 0);
    TileRects[1] = TileAt(32, 0);
    TileRects[2] = TileAt(0, 0);
    for (int32_t k = 0; k <= 5; ++k)
        TileRects[3 + k] = TileAt(32 + 32 * k, 0);
    // The open row: an empty cell opening, opened, the revealed mine and the
    // two explosion frames.
    for (int32_t k = 0; k <= 8; ++k)
        TileRects[9 + k] = TileAt(32 * k, 32);
    // Each number: five opening frames, then the number at rest turning
    // through a loop of eight.
    for (int32_t r = 0; r <= 7; ++r) {
        for (int32_t k = 0; k <= 12; ++k) {
            TileRects[NumberTileBase + 13 * r + k] = TileAt(32 * k, 64 + 32 * r);
        }
    }
    TileRects[CursorBoxTile] = TileAt(224, 0);
    TileRects[PressHighlightTile] = TileAt(256, 0);
    TileRects[CrossedFlagTile] = TileAt(288, 32);
    TileRects[CrossedFlagTile + 1] = TileAt(320, 32);
}

void SetUpFontRects() {
    for (Rect& rect : FontRects)
        rect = DefaultGlyphRect;
    for (int32_t font = 0; font < 2; ++font) {
        for (int32_t i = 0; i < FontColumnsOnSheet; ++i) {
            for (int32_t j = 0; j < FontRowsOnSheet; ++j) {
                const int32_t character = FirstFontCharacter + FontRowsOnSheet * i + j;
                const int32_t left = FontLeft[font] + GlyphPitch * i;
                const int32_t top = FontTop + GlyphPitch * j;
                FontRects[font * FontGlyphs + character] = {left, top, left + GlyphPixels,
                                                            top + GlyphPixels};
            }
        }
    }
}

void SetUpPictureRects() {
    LogoRect = {3, 342, 284, 430};
    MenuBarRect = {0, 320, 313, 339};
    // Two pictures per GameState, one per blink phase: the smiling face for
    // Title, Ready and Playing, crossed-out eyes for Lost, sunglasses for Won
    // and NameEntry.
    constexpr int32_t FaceColumnOfState[6] = {0, 0, 0, 1, 2, 2};
    for (int32_t state = 0; state < 6; ++state) {
        for (int32_t phase = 0; phase < 2; ++phase) {
            const int32_t left = FaceColumnLeft[FaceColumnOfState[state]];
            const int32_t top = FaceRowTop[phase];
            FaceRects[2 * state + phase] = {left, top, left + FacePixels, top + FacePixels};
        }
    }
}

// The glyph of a byte of text in font 0 or 1; any other font number is
// taken as font 0 rather than reading beyond the tables.
const Rect& GlyphRect(int32_t font, uint8_t character) {
    const int32_t table = font == 1 ? 1 : 0;
    return FontRects[table * FontGlyphs + character];
}

}  // namespace

void SetUpSpriteRects() {
    SeedRandom(GetTickCount());
    SetUpTileRects();
    SetUpFontRects();
    SetUpPictureRects();
    LastTick = GetTickCount();
    MenuCursorY = 0;
}

int32_t DrawCharacter(int32_t x, int32_t y, int32_t font, char character) {
    BlitSprite(x, y, GlyphRect(font, static_cast<uint8_t>(character)));
    return x + TextAdvance;
}

int32_t DrawText(int32_t x, int32_t y, int32_t font, const char* text, size_t capacity) {
    for (size_t i = 0; i < capacity && text[i] != '\0'; ++i) {
        x = DrawCharacter(x, y, font, text[i]);
    }
    return x;
}

int32_t DrawString(int32_t x, int32_t y, int32_t font, const char* text) {
    return DrawText(x, y, font, text, SIZE_MAX);
}

int32_t DrawNumber(int32_t x, int32_t y, int32_t font, int32_t value) {
    // The magnitude is taken in unsigned arithmetic, where the most negative
    // value has its counterpart 2147483648; negating it as a signed number
    // would overflow.
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0)
        magnitude = 0u - magnitude;

    char digits[10];  // least significant first; 32 bits have at most ten
    int32_t count = 0;
    while (magnitude != 0 && count < 10) {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    }
    if (value < 0)
        x = DrawCharacter(x, y, font, '-');
    if (count == 0)
        return DrawCharacter(x, y, font, '0');
    while (count > 0)
        x = DrawCharacter(x, y, font, digits[--count]);
    return x;
}
