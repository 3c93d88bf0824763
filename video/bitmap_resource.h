// SPDX-License-Identifier: MIT
// Reading the bitmap resources the sheet and the palette come from: an info
// header (no file header), a colour table, then rows of pixels padded to four
// bytes, stored bottom-up or, with a negative height, top-down.
//
// A resource is taken apart only as far as it really holds bytes: whatever
// its header claims, nothing is ever read past its end.
#pragma once

#include <cstddef>
#include <cstdint>

struct BitmapResource {
    int32_t width = 0;   // pixels per row
    int32_t height = 0;  // rows, always positive
    bool topDown = false;
    int32_t bitCount = 0;
    uint32_t compression = 0;

    // The colour table as blue, green, red, reserved quads: the header's
    // colours-used count, or 2^bitCount when that is 0, at most 256 entries.
    // 0 entries for a picture without a table.
    const uint8_t* colours = nullptr;
    uint32_t colourCount = 0;

    // Set only for an 8-bit uncompressed picture whose every row is present.
    bool hasIndexedPixels = false;
    const uint8_t* pixels = nullptr;  // the first row as stored
    size_t stride = 0;                // bytes from one stored row to the next
};

// The size of the info header every bitmap resource starts with, at least.
constexpr uint32_t BitmapInfoHeaderBytes = 40;

// Finds the BITMAP resource `name` (any letter case) and reads its header.
// False when it is missing, its header is cut short or too small to be an
// info header, or its colour table runs past the end of the resource.
bool FindBitmapResource(const char* name, BitmapResource* bitmap);

// Parses resource bytes already in memory, as FindBitmapResource does.
bool ParseBitmapResource(const uint8_t* bytes, size_t size, BitmapResource* bitmap);

// Row y of the picture counted from the top, whichever way it is stored.
// Needs hasIndexedPixels and 0 <= y < height.
const uint8_t* BitmapRow(const BitmapResource& bitmap, int32_t y);
