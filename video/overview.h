// SPDX-License-Identifier: MIT
// The overview of the whole field, shown while the player holds Tab on the
// board screen: every cell a block of S x S pixels in the colour of what it
// shows, an outline around the part of the field the normal screen shows,
// and a mark where the centre cursor stands.
#pragma once

#include <cstdint>

// The room the field may take: the screen less 16 pixels on every side.
constexpr int32_t OverviewRoomWidth = 608;
constexpr int32_t OverviewRoomHeight = 448;

// Entries of the sheet's own palette (tools/art/palette.py), chosen to be
// told apart at a glance even where a cell is a single pixel.
constexpr uint8_t OverviewVoidColour = 0;         // black, as the board shows no field there
constexpr uint8_t OverviewHiddenColour = 20;      // steel blue, the raised cells
constexpr uint8_t OverviewFlaggedColour = 73;     // bright red, the flags
constexpr uint8_t OverviewQuestionedColour = 85;  // yellow
constexpr uint8_t OverviewOpenEmptyColour = 28;   // light paper grey, the opened cells
constexpr uint8_t OverviewNumberColour = 66;      // dark grey: opened, with a number
constexpr uint8_t OverviewMineColour = 215;       // magenta: a mine shown after a loss
constexpr uint8_t OverviewOutlineColour = 131;    // bright green, around the view
constexpr uint8_t OverviewMarkColour = 235;       // white, the cursor mark ...
constexpr uint8_t OverviewMarkEdgeColour = 1;     // ... edged in near-black, seen on any cell

// S: the largest whole number with BoardWidth x S <= 608 and
// BoardHeight x S <= 448, and at least 1.
int32_t OverviewScale();

// Draws the field, centred on the screen, the outline of the view and the
// cursor mark into the back buffer.
void DrawOverview();
