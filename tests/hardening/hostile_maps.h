// SPDX-License-Identifier: MIT
// Map files built to make a careless reader slow: each family grows with a
// size n in bytes while the map stays the largest grid. Shared by the test
// that checks the reader's work grows linearly and by the benchmark.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

struct HostileMap {
    const char* name;
    std::string (*make)(size_t bytes);
};

// Every family: a name with no end, run lengths of 0 without end, a number
// of endless digits, blanks after the last cell, line breaks and letters
// between the header's fields, and a flood of separators.
const std::vector<HostileMap>& HostileMapFamilies();
