#include "tests/video/test_sheet.h"

#include <algorithm>

#include "platform/headless/headless.h"
#include "video/display.h"
#include "video/sprites.h"

namespace {

void PutLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

constexpr int32_t SheetRows = 460;

void FillRect(std::vector<uint8_t>& sheet, int32_t left, int32_t top, int32_t right, int32_t bottom,
              uint8_t value) {
    for (int32_t y = top; y < bottom; ++y) {
        for (int32_t x = left; x < right; ++x)
            sheet[y * SheetWidth + x] = value;
    }
}

}  // namespace

std::vector<uint8_t> BuildBitmap(const BitmapLayout& layout) {
    std::vector<uint8_t> bytes;
    PutLittleEndian(bytes, layout.headerSize, 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(layout.width), 4);
    PutLittleEndian(bytes, static_cast<uint32_t>(layout.topDown ? -layout.height : layout.height), 4);
    PutLittleEndian(bytes, 1, 2);  // planes
    PutLittleEndian(bytes, layout.bitCount, 2);
    PutLittleEndian(bytes, layout.compression, 4);
    PutLittleEndian(bytes, 0, 4);  // image size, may be 0 when uncompressed
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, 2835, 4);
    PutLittleEndian(bytes, layout.coloursUsed, 4);
    PutLittleEndian(bytes, 0, 4);  // important colours
    bytes.resize(std::max<size_t>(bytes.size(), layout.headerSize), 0);
    bytes.insert(bytes.end(), layout.colourTable.begin(), layout.colourTable.end());

    if (layout.pixels.empty())
        return bytes;
    const int32_t stride = (layout.width + 3) / 4 * 4;
    for (int32_t stored = 0; stored < layout.height; ++stored) {
        const int32_t row = layout.topDown ? stored : layout.height - 1 - stored;
        const auto first = layout.pixels.begin() + row * layout.width;
        bytes.insert(bytes.end(), first, first + layout.width);
        bytes.insert(bytes.end(), stride - layout.width, 0);
    }
    return bytes;
}

std::vector<uint8_t> ColourRamp(uint32_t count) {
    std::vector<uint8_t> table;
    for (uint32_t i = 0; i < count; ++i) {
        table.push_back(static_cast<uint8_t>(i));
        table.push_back(static_cast<uint8_t>(255 - i));
        table.push_back(static_cast<uint8_t>(i / 2));
        table.push_back(0x5A);
    }
    return table;
}

uint8_t TileCellId(int32_t left, int32_t top) {
    if (left % 32 != 0 || top % 32 != 0)
        return 0;
    const int32_t column = left / 32;
    const int32_t row = top / 32;
    if (row == 0 && column < 10)
        return static_cast<uint8_t>(1 + column);
    if (row == 1 && column < 11)
        return static_cast<uint8_t>(11 + column);
    if (row >= 2 && row < 10 && column < 13)
        return static_cast<uint8_t>(22 + 13 * (row - 2) + column);
    return 0;
}

uint8_t FaceId(int32_t column, int32_t phase) {
    return static_cast<uint8_t>(140 + 2 * column + phase);
}

std::vector<uint8_t> RecognisableSheetPixels() {
    std::vector<uint8_t> sheet(SheetWidth * SheetRows, 0);
    for (int32_t top = 0; top < 320; top += 32) {
        for (int32_t left = 0; left < SheetWidth; left += 32) {
            const uint8_t id = TileCellId(left, top);
            if (id == 0)
                continue;
            if (id == CursorBoxId) {
                FillRect(sheet, left, top, left + 32, top + 32, id);
                FillRect(sheet, left + 1, top + 1, left + 31, top + 31, 0);
            } else if (id == PressHighlightId) {
                FillRect(sheet, left + 14, top + 14, left + 18, top + 18, id);
            } else {
                FillRect(sheet, left, top, left + 32, top + 32, id);
                sheet[top * SheetWidth + left] = CornerMark;
            }
        }
    }
    for (int32_t font = 0; font < 2; ++font) {
        for (int32_t character = 33; character <= 127; ++character) {
            const int32_t left = (font == 0 ? 417 : 519) + 17 * ((character - 32) / 16);
            const int32_t top = 1 + 17 * ((character - 32) % 16);
            sheet[(top + 1) * SheetWidth + left + 1] = static_cast<uint8_t>(character);
            sheet[(top + 1) * SheetWidth + left + 2] = static_cast<uint8_t>(FontMark + font);
        }
    }
    FillRect(sheet, 0, 320, 313, 339, MenuBarId);
    // The logo leaves the default glyph's box clear: below its top two rows,
    // which are the menu bar's, the default glyph is transparent.
    FillRect(sheet, 3, 342, 284, 430, LogoId);
    FillRect(sheet, 177, 339, 190, 350, 0);
    const int32_t faceLeft[3] = {314, 379, 444};
    const int32_t faceTop[2] = {322, 388};
    for (int32_t column = 0; column < 3; ++column) {
        for (int32_t phase = 0; phase < 2; ++phase) {
            FillRect(sheet, faceLeft[column], faceTop[phase], faceLeft[column] + 64,
                     faceTop[phase] + 64, FaceId(column, phase));
        }
    }
    return sheet;
}

void InstallRecognisableSheet() {
    BitmapLayout layout;
    layout.width = SheetWidth;
    layout.height = SheetRows;
    layout.colourTable = ColourRamp(256);
    layout.pixels = RecognisableSheetPixels();
    HeadlessAddResource("BMP1", "BITMAP", BuildBitmap(layout));
    LoadPalette("BMP1");
    LoadSheetBitmap("BMP1", SheetWidth, SheetRows);
    SetUpSpriteRects();
}

uint8_t PixelAt(int32_t x, int32_t y) {
    if (x < 0 || x >= ScreenWidth || y < 0 || y >= ScreenHeight)
        return 0;
    return BackBuffer[y * ScreenWidth + x];
}

int64_t CountPixels(uint8_t value) {
    return std::count(BackBuffer, BackBuffer + ScreenWidth * ScreenHeight, value);
}

bool AreaIsBlank(int32_t x, int32_t y, int32_t width, int32_t height) {
    for (int32_t row = y; row < y + height; ++row) {
        for (int32_t column = x; column < x + width; ++column) {
            if (PixelAt(column, row) != 0)
                return false;
        }
    }
    return true;
}

uint8_t TileIdAt(int32_t x, int32_t y) {
    return PixelAt(x + 5, y + 5);
}

uint8_t IdOfTile(int32_t tile) {
    return TileCellId(TileRects[tile].left, TileRects[tile].top);
}

std::string TextAt(int32_t x, int32_t y, int32_t font, int32_t length) {
    std::string text;
    for (int32_t k = 0; k < length; ++k) {
        const int32_t left = x + TextAdvance * k;
        const uint8_t mark = PixelAt(left + 2, y + 1);
        if (mark == FontMark + font) {
            text += static_cast<char>(PixelAt(left + 1, y + 1));
        } else if (mark == FontMark + 1 - font) {
            text += '~';
        } else {
            text += ' ';
        }
    }
    return text;
}
