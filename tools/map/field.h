// SPDX-License-Identifier: MIT
// A field as the map tool sees it: which cells of a width x height grid
// belong to the field. Rows run top to bottom and cells left to right, the
// order in which both pictures and map files are written, so the grid is
// row-major here (the Board's layers are column-major).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Field {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> cells;  // 1 a playable cell, 0 a Void cell

    bool Playable(int32_t x, int32_t y) const {
        return cells[static_cast<size_t>(y) * static_cast<size_t>(width) +
                     static_cast<size_t>(x)] != 0;
    }
    int32_t PlayableCount() const;

    // '#' for a playable cell, '.' for a Void cell, one string per row.
    std::vector<std::string> Rows() const;

    bool operator==(const Field& other) const {
        return width == other.width && height == other.height && cells == other.cells;
    }
    bool operator!=(const Field& other) const { return !(*this == other); }
};

// A Field of the given size with every cell Void.
Field EmptyField(int32_t width, int32_t height);

// True when a map of width x height cells fits the Board (1 to 300 each way);
// otherwise false, with the reason in plain words.
bool CheckFieldSize(int64_t width, int64_t height, std::string* problem);

// The shape of the map that the game's reader last put into the Board.
Field FieldFromBoard();
