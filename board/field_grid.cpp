// SPDX-License-Identifier: MIT
#include "board/field_grid.h"

#include <cstdlib>

void FieldGrid::SetSize(int32_t width, int32_t height) {
    width_ = width;
    height_ = height;
    stride_ = height + 2 * Border;
    const auto cells = static_cast<size_t>((width + 2 * Border) * stride_);
    playable.assign(cells, 0);
    mine.assign(cells, 0);
    int32_t k = 0;
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if (dx != 0 || dy != 0)
                neighbours_[k++] = Offset(dx, dy);
        }
    }
}

bool FieldGrid::Touching(int32_t a, int32_t b) const {
    return a != b && std::abs(a / stride_ - b / stride_) <= 1 &&
           std::abs(a % stride_ - b % stride_) <= 1;
}

int8_t FieldGrid::CountAround(int32_t index) const {
    int8_t count = 0;
    for (const int32_t offset : neighbours_)
        count = static_cast<int8_t>(count + mine[index + offset]);
    return count;
}
