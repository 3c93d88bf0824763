// SPDX-License-Identifier: MIT
// Any bytes as a map file: the reader must refuse or accept them without
// reading or writing out of bounds, in time linear in the input plus the grid.
#include <cstdint>
#include <cstdio>

#include "board/board.h"
#include "files/map_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "r");
    if (file == nullptr)
        return 0;  // fmemopen refuses an empty buffer
    const MapReadReport report = ReadMap(file);
    std::fclose(file);
    if (report.playable) {
        // What the game goes on to rely on.
        if (BoardWidth < 1 || BoardWidth > MaxBoardSide || BoardHeight < 1 ||
            BoardHeight > MaxBoardSide || PlayableCount < 1 || MineCount < 0 ||
            MineCount >= PlayableCount) {
            __builtin_trap();
        }
        // The count handed to the game is the count of cells it will find.
        int32_t hidden = 0;
        for (int32_t x = 0; x < BoardWidth; ++x) {
            for (int32_t y = 0; y < BoardHeight; ++y) {
                const int8_t cover = CoverState[CellIndex(x, y)];
                if (cover != Hidden && cover != Void)
                    __builtin_trap();
                hidden += cover == Hidden;
            }
        }
        if (hidden != PlayableCount)
            __builtin_trap();
    }
    return 0;
}
