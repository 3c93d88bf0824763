// SPDX-License-Identifier: MIT
// The separate regions of a field. Cells that touch at a side or a corner
// are neighbours in the game, so a region is a set of playable cells joined
// through such contacts; numbers never tell anything across two regions, and
// each region but the one opened first has to be started with a guess.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/map/field.h"

struct Region {
    int32_t cells = 0;
    int32_t firstX = 0;  // its first cell in reading order
    int32_t firstY = 0;
};

// Every region, in the reading order of their first cells.
std::vector<Region> FindRegions(const Field& field);
