// SPDX-License-Identifier: MIT
// Writing a screen of palette indices as an ordinary 8-bit BMP file, so a
// frame can be looked at with any image viewer.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// Writes width x height indices (top row first, no padding) with a 256-entry
// palette as a bottom-up, uncompressed 8-bit BMP. True on success.
bool WriteIndexedBitmapFile(const std::string& path, const uint8_t* pixels, int width, int height,
                            const PaletteEntry* palette);
