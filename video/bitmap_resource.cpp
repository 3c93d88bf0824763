// SPDX-License-Identifier: MIT
#include "video/bitmap_resource.h"

#include <cstdint>

#include "platform/platform.h"

namespace {

// Field offsets of the info header.
constexpr size_t HeaderSizeField = 0;
constexpr size_t WidthField = 4;
constexpr size_t HeightField = 8;
constexpr size_t BitCountField = 14;
constexpr size_t CompressionField = 16;
constexpr size_t ColoursUsedField = 32;

constexpr uint32_t Uncompressed = 0;  // BI_RGB
constexpr uint32_t MaxColours = 256;

uint32_t ReadUnsigned(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

int32_t ReadSigned(const uint8_t* bytes) {
    return static_cast<int32_t>(ReadUnsigned(bytes, 4));
}

}  // namespace

bool ParseBitmapResource(const uint8_t* bytes, size_t size, BitmapResource* bitmap) {
    *bitmap = BitmapResource();
    if (bytes == nullptr || size < BitmapInfoHeaderBytes)
        return false;
    // The header says how long it is; later header versions are longer and
    // the colour table follows whatever length it gives.
    const uint32_t headerSize = ReadUnsigned(bytes + HeaderSizeField, 4);
    if (headerSize < BitmapInfoHeaderBytes || headerSize > size)
        return false;

    const int32_t width = ReadSigned(bytes + WidthField);
    const int32_t height = ReadSigned(bytes + HeightField);
    const int32_t bitCount = static_cast<int32_t>(ReadUnsigned(bytes + BitCountField, 2));
    const uint32_t compression = ReadUnsigned(bytes + CompressionField, 4);
    const uint32_t coloursUsed = ReadUnsigned(bytes + ColoursUsedField, 4);

    // Only pictures of up to 8 bits per pixel index a table by default; a
    // true-colour picture has one only when it says how many colours it uses.
    uint32_t tableEntries = coloursUsed;
    if (tableEntries == 0 && bitCount >= 1 && bitCount <= 8)
        tableEntries = 1u << bitCount;
    const uint64_t tableEnd = uint64_t{headerSize} + 4 * uint64_t{tableEntries};
    if (tableEnd > size)
        return false;

    bitmap->width = width;
    // A negative height means rows stored top-down; the most negative value
    // has no positive counterpart and leaves the picture without rows.
    const int64_t rows = height < 0 ? -int64_t{height} : int64_t{height};
    bitmap->height = rows > INT32_MAX ? 0 : static_cast<int32_t>(rows);
    bitmap->topDown = height < 0;
    bitmap->bitCount = bitCount;
    bitmap->compression = compression;
    bitmap->colours = bytes + headerSize;
    bitmap->colourCount = tableEntries < MaxColours ? tableEntries : MaxColours;

    // An 8-bit table never holds more than 256 colours; a header that says
    // so is damaged, and its pixels are not trusted.
    if (bitCount != 8 || compression != Uncompressed || tableEntries > MaxColours)
        return true;
    if (width <= 0 || bitmap->height <= 0)
        return true;
    const uint64_t stride = (uint64_t{static_cast<uint32_t>(width)} + 3) / 4 * 4;
    const uint64_t pixelBytes = stride * uint64_t{static_cast<uint32_t>(bitmap->height)};
    if (pixelBytes > size - tableEnd)
        return true;  // rows missing at the end

    bitmap->hasIndexedPixels = true;
    bitmap->pixels = bytes + tableEnd;
    bitmap->stride = static_cast<size_t>(stride);
    return true;
}

bool FindBitmapResource(const char* name, BitmapResource* bitmap) {
    *bitmap = BitmapResource();
    ResourceData resource;
    if (!FindResource(name, "BITMAP", &resource))
        return false;
    return ParseBitmapResource(resource.bytes, resource.size, bitmap);
}

const uint8_t* BitmapRow(const BitmapResource& bitmap, int32_t y) {
    const int32_t stored = bitmap.topDown ? y : bitmap.height - 1 - y;
    return bitmap.pixels + static_cast<size_t>(stored) * bitmap.stride;
}
