// SPDX-License-Identifier: MIT
// Laying out a game: the mines of a new game and first-click safety.
#pragma once

#include <cstdint>

#include "board/deal.h"

// Resets the Board for the loaded map, scatters MineCount mines over the
// playable cells (DealMines), computes the neighbour counts and sets
// GameState Ready.
void NewGame();
