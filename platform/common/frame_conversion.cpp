// SPDX-License-Identifier: MIT
#include "platform/frame_conversion.h"

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
        for (int x = 0; x < width; ++x)
            target[x] = lookup[source[x]];
    }
}
