// SPDX-License-Identifier: MIT
// Writing a map file in its tidy form: the header on the first line, then
// one line per row of the field holding that row's runs, the last ending in
// '/'. The Corners example reads:
//
//   Corners,4,3,2,
//   0,1,2,1/
//   4/
//   1,2,1/
//
// Runs alternate playable and Void across the whole file, the first being
// playable. A row that begins with the same kind as the previous row ended
// begins with a run of 0, which only switches the kind; so every row of a
// rectangle after the first reads "0,W/".
#pragma once

#include <cstdint>
#include <string>

#include "tools/map/field.h"

// The text of the map. The name, field and mines must have passed the checks
// below.
std::string MapText(const std::string& name, const Field& field, int32_t mines);

// A name the game shows as it is written: 1 to 31 printable characters, no
// comma (which would end the name early). False with the reason otherwise.
bool CheckMapName(const std::string& name, std::string* problem);

// What the game refuses to play: no playable cell, or not fewer mines than
// playable cells (the first opened cell must always have somewhere to move
// its mine). False with the reason otherwise.
bool CheckMineCount(const Field& field, int64_t mines, std::string* problem);
