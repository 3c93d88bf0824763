// SPDX-License-Identifier: MIT
#include "tools/map/regions.h"

std::vector<Region> FindRegions(const Field& field) {
    std::vector<Region> regions;
    const size_t width = static_cast<size_t>(field.width);
    std::vector<uint8_t> seen(field.cells.size(), 0);
    std::vector<size_t> pending;  // explicit stack: a 300 x 300 field is too deep to recurse
    for (size_t start = 0; start < field.cells.size(); ++start) {
        if (!field.cells[start] || seen[start])
            continue;
        Region region;
        region.firstX = static_cast<int32_t>(start % width);
        region.firstY = static_cast<int32_t>(start / width);
        seen[start] = 1;
        pending.push_back(start);
        while (!pending.empty()) {
            const size_t cell = pending.back();
            pending.pop_back();
            ++region.cells;
            const auto x = static_cast<int32_t>(cell % width);
            const auto y = static_cast<int32_t>(cell / width);
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    const int32_t nx = x + dx;
                    const int32_t ny = y + dy;
                    if (nx < 0 || nx >= field.width || ny < 0 || ny >= field.height)
                        continue;
                    const size_t next = static_cast<size_t>(ny) * width + static_cast<size_t>(nx);
                    if (field.cells[next] && !seen[next]) {
                        seen[next] = 1;
                        pending.push_back(next);
                    }
                }
            }
        }
        regions.push_back(region);
    }
    return regions;
}
