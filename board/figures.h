// SPDX-License-Identifier: MIT
// Figures players compare games by, taken from the Board's layout.
#pragma once

#include <cstdint>

// The least number of left clicks that clears the field as it is laid out
// now: one for each empty area (empty cells that touch, at a side or a
// corner, open together with every number around them), plus one for each
// safe numbered cell that borders no empty cell. Void cells count for
// nothing and join nothing.
int32_t CountThreeBV();
