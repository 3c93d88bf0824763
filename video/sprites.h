// SPDX-License-Identifier: MIT
// The layout of the sprite sheet as tables of source rectangles, and the
// two text primitives. Every word on screen is drawn glyph by glyph.
#pragma once

#include <cstddef>
#include <cstdint>

#include "video/display.h"

constexpr int32_t TileCount = 200;
constexpr int32_t FontGlyphs = 256;

// Tile numbers. The number v (1..8) has frames NumberTileBase + 13 * (v - 1)
// + k: k 0..4 the cell opening with the number emerging, k 5 the number at
// rest, k 5..12 the number turning.
constexpr int32_t PressedFlatTile = 0;
constexpr int32_t RaisedTile = 2;
constexpr int32_t FlagTile = 5;          // and 6, the second frame
constexpr int32_t QuestionTile = 7;      // and 8
constexpr int32_t OpeningEmptyTile = 9;  // 9..13, five frames
constexpr int32_t OpenedEmptyTile = 14;
constexpr int32_t RevealedMineTile = 15;   // a mine shown after a loss
constexpr int32_t ExplodingMineTile = 16;  // and 17
constexpr int32_t NumberTileBase = 18;
constexpr int32_t CrossedFlagTile = 122;     // and 123: a flag that was wrong
constexpr int32_t SpareTile = 124;           // filler; nothing selects it
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

// Draws one character's glyph at (x, y). Returns x + TextAdvance.
int32_t DrawCharacter(int32_t x, int32_t y, int32_t font, char character);

// Draws a text of at most `capacity` bytes, stopping early at a NUL, so a
// fixed-size name field is never read beyond its end. Returns the x after the
// last glyph.
int32_t DrawText(int32_t x, int32_t y, int32_t font, const char* text, size_t capacity);

// Draws a NUL-terminated text in font 0 or 1 from (x, y). Returns the x after
// the last glyph.
int32_t DrawString(int32_t x, int32_t y, int32_t font, const char* text);

// Draws a signed number (no leading zeros, '-' for negatives). Returns the x
// after the last glyph.
int32_t DrawNumber(int32_t x, int32_t y, int32_t font, int32_t value);
