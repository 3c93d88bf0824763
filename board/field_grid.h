// SPDX-License-Identifier: MIT
// The field as the logic solver and the no-guess layout see it: the map's
// cells in a grid with a border two cells wide all round that is never part
// of the field. Every cell of the map then has its neighbours, and the
// numbers whose neighbours it shares (up to two steps away), in memory, so
// the inner loops of solving need no bounds tests.
//
// Like the Board, the grid is column-major: the cells of column x follow
// those of column x - 1, and cell (x, y) of the map is Index(x, y).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

class FieldGrid {
  public:
    FieldGrid() = default;
    FieldGrid(int32_t width, int32_t height) { SetSize(width, height); }

    // Makes the grid `width` x `height` cells (1..300 each): every cell,
    // border included, not playable and without a mine.
    void SetSize(int32_t width, int32_t height);

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    // Cells in the grid, border included: indices run from 0 to Size() - 1.
    int32_t Size() const { return static_cast<int32_t>(playable.size()); }

    int32_t Index(int32_t x, int32_t y) const { return (x + Border) * stride_ + (y + Border); }
    int32_t XOf(int32_t index) const { return index / stride_ - Border; }
    int32_t YOf(int32_t index) const { return index % stride_ - Border; }

    // Index offsets of the eight neighbours, and of any cell dx columns and
    // dy rows away.
    const std::array<int32_t, 8>& Neighbours() const { return neighbours_; }
    int32_t Offset(int32_t dx, int32_t dy) const { return dx * stride_ + dy; }

    // Whether two cells of the grid touch at a side or a corner.
    bool Touching(int32_t a, int32_t b) const;

    // 1 for a cell of the field, 0 for Void and the border.
    std::vector<uint8_t> playable;
    // 1 for a cell holding a mine.
    std::vector<uint8_t> mine;

    // Mines among the neighbours of a cell of the map (not of the border):
    // the number it shows when safe.
    int8_t CountAround(int32_t index) const;

  private:
    static constexpr int32_t Border = 2;
    int32_t width_ = 0;
    int32_t height_ = 0;
    int32_t stride_ = 0;
    std::array<int32_t, 8> neighbours_{};
};
