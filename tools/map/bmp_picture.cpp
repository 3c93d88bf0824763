// SPDX-License-Identifier: MIT
// BMP images: the uncompressed 8-bit kind with a colour table, which is what
// the game's own sprite sheet is and what most paint programs write when
// asked for 256 colours.
#include <cstdint>

#include "board/board.h"
#include "tools/map/picture.h"

namespace {

constexpr size_t FileHeaderBytes = 14;
constexpr uint32_t InfoHeaderBytes = 40;  // BITMAPINFOHEADER; later versions are longer

uint32_t Unsigned(const std::string& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<uint8_t>(bytes[at + static_cast<size_t>(i)]);
    }
    return value;
}

}  // namespace

bool ReadBmp(const std::string& bytes, Field* field, std::string* problem) {
    if (bytes.size() < FileHeaderBytes + InfoHeaderBytes || bytes[0] != 'B' || bytes[1] != 'M') {
        *problem = "not a BMP image, or cut short in its header";
        return false;
    }
    const uint32_t pixelOffset = Unsigned(bytes, 10, 4);
    const uint32_t headerBytes = Unsigned(bytes, 14, 4);
    const auto width = static_cast<int32_t>(Unsigned(bytes, 18, 4));
    const auto signedHeight = static_cast<int32_t>(Unsigned(bytes, 22, 4));
    const uint32_t bitsPerPixel = Unsigned(bytes, 28, 2);
    const uint32_t compression = Unsigned(bytes, 30, 4);
    uint32_t colours = Unsigned(bytes, 46, 4);

    if (headerBytes < InfoHeaderBytes || headerBytes > bytes.size()) {
        *problem = "the BMP header is of an old or unknown kind";
        return false;
    }
    if (bitsPerPixel != 8) {
        *problem = "the BMP image has " + std::to_string(bitsPerPixel) +
                   " bits per pixel; save it with 8 (256 colours), or as PBM or PGM";
        return false;
    }
    if (compression != 0) {
        *problem = "the BMP image is compressed; save it uncompressed";
        return false;
    }
    // A negative height means the rows are stored top row first.
    const bool topDown = signedHeight < 0;
    const int64_t height = topDown ? -static_cast<int64_t>(signedHeight) : signedHeight;
    if (width < 1 || width > MaxBoardSide || height < 1 || height > MaxBoardSide) {
        *problem = "the image is " + std::to_string(width) + " x " + std::to_string(height) +
                   " pixels, one cell each; a map has 1 to " + std::to_string(MaxBoardSide) +
                   " cells each way";
        return false;
    }
    if (colours == 0)
        colours = 256;
    const size_t tableAt = FileHeaderBytes + headerBytes;
    if (colours > 256 || tableAt + static_cast<size_t>(colours) * 4 > bytes.size()) {
        *problem = "the BMP colour table is damaged or cut short";
        return false;
    }
    const size_t rowBytes = (static_cast<size_t>(width) + 3) & ~static_cast<size_t>(3);
    if (pixelOffset > bytes.size() || bytes.size() - pixelOffset < rowBytes * height) {
        *problem = "the BMP image ends before its last pixel";
        return false;
    }

    // Dark is judged by brightness as the eye sees it, so that any two
    // clearly different colours a paint program offers tell field from Void.
    bool dark[256] = {};
    for (uint32_t i = 0; i < colours; ++i) {
        const size_t at = tableAt + static_cast<size_t>(i) * 4;
        const uint32_t blue = static_cast<uint8_t>(bytes[at]);
        const uint32_t green = static_cast<uint8_t>(bytes[at + 1]);
        const uint32_t red = static_cast<uint8_t>(bytes[at + 2]);
        dark[i] = 299 * red + 587 * green + 114 * blue < 128 * 1000;
    }

    *field = EmptyField(width, static_cast<int32_t>(height));
    for (int32_t y = 0; y < field->height; ++y) {
        const size_t storedRow =
            topDown ? static_cast<size_t>(y) : static_cast<size_t>(field->height - 1 - y);
        const size_t rowAt = pixelOffset + storedRow * rowBytes;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t index = static_cast<uint8_t>(bytes[rowAt + static_cast<size_t>(x)]);
            if (index >= colours) {
                *problem = "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                           ") uses colour " + std::to_string(index) +
                           " but the colour table has only " + std::to_string(colours);
                return false;
            }
            field->cells[static_cast<size_t>(y) * static_cast<size_t>(width) +
                         static_cast<size_t>(x)] = dark[index] ? 1 : 0;
        }
    }
    return true;
}
