// SPDX-License-Identifier: MIT
// Laying out a game: the mines of a new game and first-click safety.
#pragma once

#include <cstdint>

// Resets the Board for the loaded map, scatters MineCount mines over the
// playable cells, computes the neighbour counts and sets GameState Ready.
void NewGame();

// Moves a mine away from the first opened cell (x, y) to a random Hidden
// cell and repairs the neighbour counts. Does nothing unless (x, y) is a Mine.
void RelocateFirstMine(int32_t x, int32_t y);
