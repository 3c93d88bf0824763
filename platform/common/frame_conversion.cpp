// SPDX-License-Identifier: MIT
#include "platform/frame_conversion.h"

#include <cstring>

void BuildColourLookup(const PaletteEntry* palette, uint32_t lookup[256]) {
    for (int i = 0; i < 256; ++i) {
        lookup[i] = 0xFF000000u | (static_cast<uint32_t>(palette[i].red) << 16) |
                    (static_cast<uint32_t>(palette[i].green) << 8) | palette[i].blue;
    }
}

void ConvertIndexedFrame(const uint8_t* pixels, int width, int height, const uint32_t lookup[256],
                         void* out, size_t outPitchBytes) {
    auto* row = static_cast<uint8_t*>(out);
    for (int y = 0; y < height; ++y, row += outPitchBytes) {
        auto* target = reinterpret_cast<uint32_t*>(row);
        const uint8_t* source = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        int x = 0;
        for (; x + 8 <= width; x += 8) {
            uint64_t eight;
            std::memcpy(&eight, source + x, sizeof(eight));
            target[x + 0] = lookup[eight & 0xFF];
            target[x + 1] = lookup[(eight >> 8) & 0xFF];
            target[x + 2] = lookup[(eight >> 16) & 0xFF];
            target[x + 3] = lookup[(eight >> 24) & 0xFF];
            target[x + 4] = lookup[(eight >> 32) & 0xFF];
            target[x + 5] = lookup[(eight >> 40) & 0xFF];
            target[x + 6] = lookup[(eight >> 48) & 0xFF];
            target[x + 7] = lookup[eight >> 56];
        }
        for (; x < width; ++x)
            target[x] = lookup[source[x]];
    }
}
