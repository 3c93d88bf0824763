// SPDX-License-Identifier: MIT
#include "tests/video/test_sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/headless/headless.h"
#include "video/display.h"
#include "video/sprites.h"

namespace {

constexpr int32_t TileColumns = 13;  // the tile cells of the sheet: 13 x 10 from its top-left
constexpr int32_t TileRows = 10;

uint8_t TileCellId(int32_t left, int32_t top) {
    return static_cast<uint8_t>(1 + TileColumns * (top / 32) + left / 32);
}

std::vector<uint8_t> RecognisableSheetPixels() {
    std::vector<uint8_t> sheet(SheetWidth * SheetBitmapHeight, 0);
    auto fill = [&sheet](int32_t left, int32_t top, int32_t right, int32_t bottom, uint8_t value) {
        for (int32_t y = top; y < bottom; ++y)
            std::fill_n(sheet.begin() + y * SheetWidth + left, right - left, value);
    };
    for (int32_t top = 0; top < 32 * TileRows; top += 32) {
        for (int32_t left = 0; left < 32 * TileColumns; left += 32) {
            const uint8_t id = TileCellId(left, top);
            if (id == PressHighlightId) {
                fill(left + 14, top + 14, left + 18, top + 18, id);
                continue;
            }
            fill(left, top, left + 32, top + 32, id);
            if (id == CursorBoxId)
                fill(left + 1, top + 1, left + 31, top + 31, 0);
            else
                sheet[top * SheetWidth + left] = CornerMark;
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
    fill(0, 320, 313, 339, MenuBarId);
    // The logo leaves the default glyph's box clear: below its top two rows,
    // which are the menu bar's, the default glyph is transparent.
    fill(3, 342, 284, 430, LogoId);
    fill(177, 339, 190, 350, 0);
    for (int32_t column = 0; column < 3; ++column) {
        for (int32_t phase = 0; phase < 2; ++phase) {
            const int32_t left = 314 + 65 * column;
            const int32_t top = 322 + 66 * phase;
            fill(left, top, left + 64, top + 64, FaceId(column, phase));
        }
    }
    return sheet;
}

}  // namespace

std::vector<uint8_t> BuildBitmap(const BitmapLayout& layout) {
    const int32_t height = layout.topDown ? -layout.height : layout.height;
    // Size, width, height, planes, bits per pixel, compression, image size,
    // pixels per metre across and down, colours used, important colours.
    const uint32_t values[] = {layout.headerSize,
                               static_cast<uint32_t>(layout.width),
                               static_cast<uint32_t>(height),
                               1,
                               layout.bitCount,
                               layout.compression,
                               0,
                               2835,
                               2835,
                               layout.coloursUsed,
                               0};
    const int sizes[] = {4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 4};
    std::vector<uint8_t> bytes;
    for (int field = 0; field < 11; ++field) {
        for (int i = 0; i < sizes[field]; ++i)
            bytes.push_back(static_cast<uint8_t>(values[field] >> (8 * i)));
    }
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
        const uint8_t quad[4] = {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2), 0x5A};
        table.insert(table.end(), quad, quad + 4);
    }
    return table;
}

uint8_t FaceId(int32_t column, int32_t phase) {
    return static_cast<uint8_t>(140 + 2 * column + phase);
}

void InstallRecognisableSheet() {
    BitmapLayout layout;
    layout.width = SheetWidth;
    layout.height = SheetBitmapHeight;
    layout.colourTable = ColourRamp(256);
    layout.pixels = RecognisableSheetPixels();
    HeadlessAddResource("BMP1", "BITMAP", BuildBitmap(layout));
    LoadPalette("BMP1");
    LoadSheetBitmap("BMP1", SheetWidth, SheetBitmapHeight);
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
        if (mark == FontMark + font)
            text += static_cast<char>(PixelAt(left + 1, y + 1));
        else
            text += mark == FontMark + 1 - font ? '~' : ' ';
    }
    return text;
}

void ExpectTexts(const std::vector<At>& texts) {
    for (const At& t : texts) {
        EXPECT_EQ(TextAt(t.x, t.y, t.font, static_cast<int32_t>(t.text.size())), t.text)
            << "at " << t.x << ", " << t.y << " in font " << t.font;
    }
}
