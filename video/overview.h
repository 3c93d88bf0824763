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

// S: the largest whole number with BoardWidth x S <= 608 and
// BoardHeight x S <= 448, and at least 1.
int32_t OverviewScale();

// Draws the field, centred on the screen, the outline of the view and the
// cursor mark into the back buffer.
void DrawOverview();
