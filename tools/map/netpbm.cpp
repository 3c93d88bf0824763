// SPDX-License-Identifier: MIT
// PBM and PGM images (the Netpbm formats): P1 and P4 are black and white,
// P2 and P5 grey. Plain (P1, P2) and raw (P4, P5) forms are both read.
#include <cstdint>

#include "board/board.h"
#include "tools/map/picture.h"

namespace {

// Walks through the bytes of a Netpbm file: header numbers, the comments
// that may stand between them, and the pixels.
class NetpbmScanner {
  public:
    explicit NetpbmScanner(const std::string& bytes) : bytes_(bytes) {}

    size_t position() const { return position_; }
    void Skip(size_t count) { position_ += count; }

    // Skips blanks and '#' comments, which run to the end of their line.
    void SkipSpaceAndComments() {
        while (position_ < bytes_.size()) {
            const char c = bytes_[position_];
            if (c == '#') {
                while (position_ < bytes_.size() && bytes_[position_] != '\n')
                    ++position_;
            } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
                ++position_;
            } else {
                return;
            }
        }
    }

    // A decimal number after optional blanks and comments; false when none
    // stands there or it exceeds `limit`.
    bool ReadNumber(int64_t limit, int64_t* value) {
        SkipSpaceAndComments();
        int64_t result = 0;
        size_t digits = 0;
        while (position_ < bytes_.size() && bytes_[position_] >= '0' && bytes_[position_] <= '9') {
            result = result * 10 + (bytes_[position_] - '0');
            if (result > limit)
                return false;
            ++position_;
            ++digits;
        }
        *value = result;
        return digits > 0;
    }

    // The single blank that ends the header of a raw image.
    bool ReadHeaderEnd() {
        if (position_ >= bytes_.size())
            return false;
        const char c = bytes_[position_];
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            return false;
        ++position_;
        return true;
    }

    // A single '0' or '1' of a plain PBM, which need not be separated.
    bool ReadBit(int* bit) {
        SkipSpaceAndComments();
        if (position_ >= bytes_.size())
            return false;
        const char c = bytes_[position_];
        if (c != '0' && c != '1')
            return false;
        *bit = c - '0';
        ++position_;
        return true;
    }

    size_t Remaining() const { return bytes_.size() - position_; }
    uint8_t ByteAt(size_t offset) const { return static_cast<uint8_t>(bytes_[position_ + offset]); }

  private:
    const std::string& bytes_;
    size_t position_ = 0;
};

std::string PixelName(int32_t x, int32_t y) {
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

}  // namespace

bool ReadNetpbm(const std::string& bytes, Field* field, std::string* problem) {
    if (bytes.size() < 2 || bytes[0] != 'P') {
        *problem = "not a PBM or PGM image";
        return false;
    }
    const char kind = bytes[1];
    if (kind == '3' || kind == '6') {
        *problem = "a colour PPM image (P" + std::string(1, kind) +
                   ") is not read: save the picture as PBM or PGM";
        return false;
    }
    if (kind != '1' && kind != '2' && kind != '4' && kind != '5') {
        *problem = "P" + std::string(1, kind) + " is not a PBM or PGM image";
        return false;
    }
    const bool bitmap = kind == '1' || kind == '4';
    const bool raw = kind == '4' || kind == '5';

    NetpbmScanner scan(bytes);
    scan.Skip(2);
    int64_t width = 0;
    int64_t height = 0;
    // 100000 only keeps the arithmetic small; the size check refuses far less.
    if (!scan.ReadNumber(100000, &width) || !scan.ReadNumber(100000, &height)) {
        *problem = "the image header has no readable width and height";
        return false;
    }
    if (!CheckFieldSize(width, height, problem)) {
        *problem = "the image is " + std::to_string(width) + " x " + std::to_string(height) +
                   " pixels, one cell each; a map has 1 to " + std::to_string(MaxBoardSide) +
                   " cells each way";
        return false;
    }
    int64_t maxValue = 1;
    if (!bitmap && (!scan.ReadNumber(65535, &maxValue) || maxValue < 1)) {
        *problem = "the image header has no grey maximum from 1 to 65535";
        return false;
    }
    if (raw && !scan.ReadHeaderEnd()) {
        *problem = "the image header does not end with a blank before the pixels";
        return false;
    }

    const auto w = static_cast<int32_t>(width);
    const auto h = static_cast<int32_t>(height);
    *field = EmptyField(w, h);
    const size_t rowBytes = kind == '4'   ? (static_cast<size_t>(w) + 7) / 8
                            : kind == '5' ? static_cast<size_t>(w) * (maxValue > 255 ? 2 : 1)
                                          : 0;
    if (raw && scan.Remaining() < rowBytes * static_cast<size_t>(h)) {
        *problem = "the image ends before its last pixel";
        return false;
    }
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            bool dark = false;
            if (kind == '1') {
                int bit = 0;
                if (!scan.ReadBit(&bit)) {
                    *problem = PixelName(x, y) + " is missing or not 0 or 1";
                    return false;
                }
                dark = bit == 1;  // in PBM, 1 is black
            } else if (kind == '4') {
                const uint8_t byte = scan.ByteAt(static_cast<size_t>(y) * rowBytes + x / 8);
                dark = (byte >> (7 - x % 8)) & 1;
            } else {
                int64_t grey = 0;
                if (kind == '2') {
                    if (!scan.ReadNumber(maxValue, &grey)) {
                        *problem = PixelName(x, y) + " is missing or above the grey maximum " +
                                   std::to_string(maxValue);
                        return false;
                    }
                } else {
                    const size_t at = static_cast<size_t>(y) * rowBytes +
                                      static_cast<size_t>(x) * (maxValue > 255 ? 2 : 1);
                    grey = maxValue > 255 ? scan.ByteAt(at) * 256 + scan.ByteAt(at + 1)
                                          : scan.ByteAt(at);
                    if (grey > maxValue) {
                        *problem = PixelName(x, y) + " is above the grey maximum " +
                                   std::to_string(maxValue);
                        return false;
                    }
                }
                dark = grey * 2 < maxValue;  // darker than middle grey
            }
            field->cells[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] =
                dark ? 1 : 0;
        }
    }
    return true;
}
