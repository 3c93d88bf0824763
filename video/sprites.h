// The layout of the sprite sheet as tables of source rectangles, and the
// two text primitives. Every word on screen is drawn glyph by glyph.
#pragma once

#include <cstdint>

#include "video/display.h"

constexpr int32_t TileCount = 200;
constexpr int32_t FontGlyphs = 256;

// Tile numbers that are not animation frames.
constexpr int32_t CursorBoxTile = 130;       // the crosshair under the screen centre
constexpr int32_t PressHighlightTile = 131;  // brackets on a pressed cell

constexpr int32_t TextAdvance = 12;  // pixels from one glyph to the next

extern Rect TileRects[TileCount];
extern Rect FontRects[2 * FontGlyphs];  // font * 256 + character byte
extern Rect FaceRects[12];              // 2 * GameState + FacePhase
extern Rect MenuBarRect;
extern Rect LogoRect;

// Fills every table. Also seeds the random generator and sets the clock's
// LastTick from the tick count, and puts MenuCursorY at 0.
void SetUpSpriteRects();

// Draws a NUL-terminated text in font 0 or 1 from (x, y). Returns the x after
// the last glyph.
int32_t DrawString(int32_t x, int32_t y, int32_t font, const char* text);

// Draws a signed number (no leading zeros, '-' for negatives). Returns the x
// after the last glyph.
int32_t DrawNumber(int32_t x, int32_t y, int32_t font, int32_t value);
