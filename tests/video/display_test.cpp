// SPDX-License-Identifier: MIT
// The display: taking the screen, the clipped colour-keyed copy, and loading
// the palette and the sheet from bitmap resources, damaged ones included.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/display.h"

namespace {

using DisplayTest = GameTest;

constexpr int64_t ScreenPixels = ScreenWidth * ScreenHeight;

TEST_F(DisplayTest, TheScreenIsTakenOnlyAtTheGamesOwnSizesAndShownUntilReleased) {
    WindowHandle window = CreateGameWindow("Torvex", DefWindowProc, "icon1");
    EXPECT_EQ(InitDisplay(window, 800, 600, 640, 480), 0) << "the back buffer is 640x480";
    EXPECT_EQ(InitDisplay(window, 640, 480, 640, 481), 0) << "the sheet holds at most 640x480";
    EXPECT_FALSE(HeadlessDisplayIsOpen());
    ASSERT_EQ(InitDisplay(window, 640, 480, 640, 480), 1);
    BackBuffer[ScreenPixels - 1] = 5;
    PaletteTable[5].green = 20;
    FlipPage();
    ASSERT_EQ(HeadlessFramesPresented(), 1u);
    EXPECT_EQ(HeadlessFramePixels()[ScreenPixels - 1], 5);
    EXPECT_EQ(HeadlessFramePalette()[5].green, 20);
    RestoreSurfaces();
    ASSERT_EQ(HeadlessFramesPresented(), 2u);
    EXPECT_EQ(std::count(HeadlessFramePixels(), HeadlessFramePixels() + ScreenPixels, 0),
              ScreenPixels)
        << "a restored screen starts black";
    ReleaseDisplay();
    EXPECT_FALSE(HeadlessDisplayIsOpen());
    FlipPage();
    EXPECT_EQ(HeadlessFramesPresented(), 2u) << "nothing is shown after the release";
}

// A sheet where every pixel differs from its neighbours and none is 0, so a
// copy shifted by one pixel, or missing a row, shows.
class BlitTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        for (int32_t i = 0; i < SheetWidth * SheetHeight; ++i) {
            SpriteSheet[i] =
                static_cast<uint8_t>(1 + (3 * (i % SheetWidth) + 7 * (i / SheetWidth)) % 255);
        }
    }
    static constexpr Rect Tile = {64, 96, 96, 128};
};

TEST_F(BlitTest, ATileIsClippedToTheScreenAndDrawsNothingWhollyOffIt) {
    // Where the tile is drawn, and the area of the screen it then covers:
    // inside; at the last place, reaching the last column and row; over the
    // left, right, top and bottom edges; over a corner; wholly off.
    struct Case {
        int32_t x, y, shownX = 0, shownY = 0, width = 0, height = 0;
    };
    // clang-format off
    const Case cases[] = {
        {100, 50, 100, 50, 32, 32}, {608, 448, 608, 448, 32, 32}, {-10, 50, 0, 50, 22, 32},
        {620, 50, 620, 50, 20, 32}, {100, -5, 100, 0, 32, 27}, {100, 470, 100, 470, 32, 10},
        {-31, 479, 0, 479, 1, 1}, {-32, 50}, {640, 50}, {50, -32}, {50, 480}, {INT32_MIN, 0},
        {INT32_MAX, 0}, {0, INT32_MIN}, {0, INT32_MAX}, {INT32_MIN, INT32_MIN}};
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at " << c.x << ", " << c.y);
        ClearBackBuffer();
        BlitSprite(c.x, c.y, Tile);
        for (int32_t row = 0; row < c.height; ++row) {
            for (int32_t column = 0; column < c.width; ++column) {
                const int32_t sourceX = Tile.left + c.shownX - c.x + column;
                const int32_t sourceY = Tile.top + c.shownY - c.y + row;
                ASSERT_EQ(PixelAt(c.shownX + column, c.shownY + row),
                          SpriteSheet[sourceY * SheetWidth + sourceX])
                    << "screen " << c.shownX + column << ", " << c.shownY + row;
            }
        }
        EXPECT_EQ(CountPixels(0), ScreenPixels - c.width * c.height) << "nothing elsewhere";
    }
}

TEST_F(BlitTest, SourcesThatAreEmptyOrReachOutsideTheSheetDrawNothing) {
    const Rect sources[] = {{64, 96, 64, 128}, {96, 96, 64, 128},
                            {-4, 0, 28, 32},   {620, 0, 652, 32},
                            {0, 470, 32, 502}, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}};
    for (const Rect& source : sources)
        BlitSprite(10, 10, source);
    EXPECT_EQ(CountPixels(0), ScreenPixels);
}

TEST_F(BlitTest, SheetPixelsOfIndexZeroLeaveTheBackBufferAsItWas) {
    std::memset(BackBuffer, 77, sizeof(BackBuffer));
    SpriteSheet[96 * SheetWidth + 64] = 0;   // the tile's top-left pixel
    SpriteSheet[127 * SheetWidth + 95] = 0;  // and its bottom-right one
    BlitSprite(200, 100, Tile);
    EXPECT_EQ(PixelAt(200, 100), 77);
    EXPECT_EQ(PixelAt(231, 131), 77);
    EXPECT_EQ(PixelAt(201, 100), SpriteSheet[96 * SheetWidth + 65]);
    EXPECT_EQ(PixelAt(232, 131), 77) << "nothing beyond the tile";
}

// A 5x3 picture whose pixel (x, y) is 10 y + x + 1 (rows padded to 8 bytes),
// after its header and a colour ramp of `entries` colours.
std::vector<uint8_t> Picture(uint16_t bitCount, uint32_t used, uint32_t entries,
                             uint32_t headerSize = 40, uint32_t compression = 0,
                             bool topDown = false) {
    BitmapLayout layout{5, 3, topDown, bitCount, compression, used, headerSize, ColourRamp(entries),
                        {}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            layout.pixels.push_back(static_cast<uint8_t>(10 * y + x + 1));
    }
    return BuildBitmap(layout);
}

// Bytes with the 32-bit field at `offset` replaced, or cut to `size`.
std::vector<uint8_t> Changed(std::vector<uint8_t> bytes, size_t offset, uint32_t value) {
    std::memcpy(bytes.data() + offset, &value, 4);  // little-endian, as the test machines are
    return bytes;
}
std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

// Each resource loaded both as the palette and as the sheet: what each takes,
// and that a refused one changes nothing.
TEST_F(DisplayTest, PaletteAndSheetTakeWhatTheBitmapHoldsAndRefuseDamagedOnes) {
    const std::vector<uint8_t> plain = Picture(8, 0, 256);
    std::vector<uint8_t> giant = Changed(Changed(plain, 4, 0x10000), 8, 0x10000);
    giant.resize(giant.size() + 64, 1);  // a pixel count that overflows 32 bits
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;  // none: no such resource
        int32_t entries;             // palette entries taken; 0 when refused
        int32_t width, height;       // sheet region asked for
        int32_t columns, rows;       // copied into the sheet; -1 when refused
    } cases[] = {
        {"8 bits, bottom-up, no colour count", plain, 256, 640, 460, 5, 3},
        {"top-down", Picture(8, 0, 256, 40, 0, true), 256, 640, 460, 5, 3},
        {"a part of the picture", plain, 256, 3, 2, 3, 2},
        {"more than it holds", plain, 256, 640, 480, 5, 3},
        {"nothing of it", plain, 256, 0, -4, 0, 0},
        {"16 colours used", Picture(8, 16, 16), 16, 640, 460, 5, 3},
        {"a later, longer header", Picture(8, 0, 256, 108), 256, 640, 460, 5, 3},
        {"more than 256 colours", Picture(8, 300, 300), 256, 640, 460, -1, -1},
        {"missing", {}, 0, 640, 460, -1, -1},
        {"4 bits", Picture(4, 0, 16), 16, 640, 460, -1, -1},
        {"true colour, without a table", Picture(24, 0, 256), 0, 640, 460, -1, -1},
        {"run-length", Picture(8, 0, 256, 40, 1), 256, 640, 460, -1, -1},
        {"a pixel byte short", Cut(plain, plain.size() - 1), 256, 640, 460, -1, -1},
        {"a colour short", Cut(plain, 40 + 4 * 255), 0, 640, 460, -1, -1},
        {"shorter than an info header", Cut(plain, 39), 0, 640, 460, -1, -1},
        {"an old core header", Changed(plain, 0, 12), 0, 640, 460, -1, -1},
        {"a header longer than it", Changed(plain, 0, 0x7F000028), 0, 640, 460, -1, -1},
        {"too large to count", giant, 256, 640, 460, -1, -1},
        {"the most negative height", Changed(plain, 8, 0x80000000u), 256, 640, 460, -1, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (PaletteEntry& entry : PaletteTable)
            entry = PaletteEntry{1, 2, 3, 0};
        std::memset(SpriteSheet, 77, sizeof(SpriteSheet));
        if (!c.bytes.empty())
            HeadlessAddResource("PIC", "BITMAP", c.bytes);
        const char* name = c.bytes.empty() ? "NOWHERE" : "pic";  // any letter case
        EXPECT_EQ(LoadPalette(name), c.entries > 0 ? 1 : 0);
        EXPECT_EQ(LoadSheetBitmap(name, c.width, c.height), c.columns >= 0 ? 1 : 0);
        for (int32_t i = 0; i < 256; ++i) {
            const bool ramp = i < c.entries;
            ASSERT_EQ(PaletteTable[i].red, ramp ? i / 2 : 1) << "entry " << i;
            ASSERT_EQ(PaletteTable[i].green, ramp ? 255 - i : 2) << "entry " << i;
            ASSERT_EQ(PaletteTable[i].blue, ramp ? i : 3) << "entry " << i;
            ASSERT_EQ(PaletteTable[i].flags, 0) << "entry " << i;
        }
        for (int32_t i = 0; i < SheetWidth * SheetHeight; ++i) {
            const int32_t x = i % SheetWidth;
            const int32_t y = i / SheetWidth;
            const int32_t want = x < c.columns && y < c.rows ? 10 * y + x + 1 : 77;
            if (SpriteSheet[i] != want) {
                ADD_FAILURE() << "sheet " << x << ", " << y << " holds " << int{SpriteSheet[i]};
                break;
            }
        }
    }
}

}  // namespace
