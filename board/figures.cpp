// SPDX-License-Identifier: MIT
#include "board/figures.h"

#include <cstddef>
#include <vector>

#include "board/board.h"

namespace {

bool SafeCell(int32_t x, int32_t y) {
    const int32_t i = CellIndex(x, y);
    return InsideBoard(x, y) && CoverState[i] != Void && CellValue[i] != Mine;
}

}  // namespace

int32_t CountThreeBV() {
    // Cells already reached by an empty area's opening.
    std::vector<uint8_t> reached(static_cast<size_t>(BoardCells), 0);
    std::vector<int32_t> stack;
    int32_t clicks = 0;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            if (!SafeCell(x, y) || CellValue[i] != 0 || reached[i])
                continue;
            ++clicks;
            reached[i] = 1;
            stack.push_back(i);
            while (!stack.empty()) {
                const int32_t cell = stack.back();
                stack.pop_back();
                const int32_t cx = cell / MaxBoardSide;
                const int32_t cy = cell % MaxBoardSide;
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    for (int32_t dy = -1; dy <= 1; ++dy) {
                        const int32_t nx = cx + dx;
                        const int32_t ny = cy + dy;
                        if (!SafeCell(nx, ny) || reached[CellIndex(nx, ny)])
                            continue;
                        reached[CellIndex(nx, ny)] = 1;
                        if (CellValue[CellIndex(nx, ny)] == 0)
                            stack.push_back(CellIndex(nx, ny));
                    }
                }
            }
        }
    }
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            if (SafeCell(x, y) && !reached[CellIndex(x, y)])
                ++clicks;
        }
    }
    return clicks;
}
