// SPDX-License-Identifier: MIT
// Dealing the mines of a game on the loaded map, and first-click safety.
// They touch nothing but the Board and the random generator, so tools can
// deal the game's own layouts without running a game.
#pragma once

#include <cstdint>

// Every playable cell Hidden and untouched (ChangeTime and FloodMark 0),
// then MineCount mines scattered over them, and every count computed.
// Needs MineCount below PlayableCount.
void DealMines();

// Moves a mine away from the first opened cell (x, y) to a random Hidden
// cell and repairs the neighbour counts. Does nothing unless (x, y) is a Mine.
void RelocateFirstMine(int32_t x, int32_t y);
