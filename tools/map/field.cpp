// SPDX-License-Identifier: MIT
#include "tools/map/field.h"

#include <algorithm>

#include "board/board.h"

int32_t Field::PlayableCount() const {
    return static_cast<int32_t>(std::count(cells.begin(), cells.end(), uint8_t{1}));
}

std::vector<std::string> Field::Rows() const {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < height; ++y) {
        std::string row;
        for (int32_t x = 0; x < width; ++x)
            row += Playable(x, y) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

Field EmptyField(int32_t width, int32_t height) {
    Field field;
    field.width = width;
    field.height = height;
    field.cells.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return field;
}

bool CheckFieldSize(int64_t width, int64_t height, std::string* problem) {
    if (width >= 1 && width <= MaxBoardSide && height >= 1 && height <= MaxBoardSide)
        return true;
    *problem = "the field is " + std::to_string(width) + " x " + std::to_string(height) +
               " cells; a map has 1 to " + std::to_string(MaxBoardSide) + " cells each way";
    return false;
}

Field FieldFromBoard() {
    Field field = EmptyField(BoardWidth, BoardHeight);
    for (int32_t y = 0; y < BoardHeight; ++y) {
        for (int32_t x = 0; x < BoardWidth; ++x) {
            field.cells[static_cast<size_t>(y) * static_cast<size_t>(BoardWidth) +
                        static_cast<size_t>(x)] = CoverState[CellIndex(x, y)] != Void ? 1 : 0;
        }
    }
    return field;
}
