// SPDX-License-Identifier: MIT
// Turning a frame of palette indices into 32-bit pixels for a display that
// has no palette of its own. Plain code, so the display backend and the
// benchmarks share it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

// One 0xAARRGGBB value per palette index, fully opaque. Rebuilt only when
// the palette changes.
void BuildColourLookup(const PaletteEntry* palette, uint32_t lookup[256]);

// Converts width x height indices (rows packed) into `out`, whose rows are
// `outPitchBytes` apart (a locked texture's pitch).
void ConvertIndexedFrame(const uint8_t* pixels, int width, int height, const uint32_t lookup[256],
                         void* out, size_t outPitchBytes);
