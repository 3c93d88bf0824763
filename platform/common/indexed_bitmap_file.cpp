// SPDX-License-Identifier: MIT
#include "platform/indexed_bitmap_file.h"

#include <cstdio>
#include <vector>

namespace {

void PutLittleEndian(std::vector<uint8_t>* out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out->push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

bool WriteIndexedBitmapFile(const std::string& path, const uint8_t* pixels, int width, int height,
                            const PaletteEntry* palette) {
    if (width <= 0 || height <= 0)
        return false;
    const uint32_t rowBytes = (static_cast<uint32_t>(width) + 3u) & ~3u;
    const uint32_t pixelOffset = 14 + 40 + 256 * 4;
    const uint32_t fileSize = pixelOffset + rowBytes * static_cast<uint32_t>(height);

    std::vector<uint8_t> file;
    file.reserve(fileSize);
    file.push_back('B');
    file.push_back('M');
    PutLittleEndian(&file, fileSize, 4);
    PutLittleEndian(&file, 0, 4);
    PutLittleEndian(&file, pixelOffset, 4);
    PutLittleEndian(&file, 40, 4);  // BITMAPINFOHEADER
    PutLittleEndian(&file, static_cast<uint32_t>(width), 4);
    PutLittleEndian(&file, static_cast<uint32_t>(height), 4);  // positive: bottom-up
    PutLittleEndian(&file, 1, 2);
    PutLittleEndian(&file, 8, 2);
    PutLittleEndian(&file, 0, 4);  // BI_RGB
    PutLittleEndian(&file, rowBytes * static_cast<uint32_t>(height), 4);
    PutLittleEndian(&file, 2835, 4);
    PutLittleEndian(&file, 2835, 4);
    PutLittleEndian(&file, 256, 4);
    PutLittleEndian(&file, 0, 4);
    for (int i = 0; i < 256; ++i) {
        file.push_back(palette[i].blue);
        file.push_back(palette[i].green);
        file.push_back(palette[i].red);
        file.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = pixels + static_cast<size_t>(y) * static_cast<size_t>(width);
        file.insert(file.end(), row, row + width);
        file.insert(file.end(), rowBytes - static_cast<uint32_t>(width), 0);
    }

    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
