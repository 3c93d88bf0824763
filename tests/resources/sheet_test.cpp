// SPDX-License-Identifier: MIT
// The artwork built into the program: the sprite sheet BMP1 keeps every
// promise the drawing code relies on (size, depth, palette, pictures where
// the tables look for them, transparency where other pictures show through),
// and the window icon is a 32-bit bitmap with alpha.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "tests/support/game_fixture.h"
#include "video/display.h"
#include "video/overview.h"
#include "video/sprites.h"

namespace {

uint32_t Read32(const uint8_t* bytes) {
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}
uint16_t Read16(const uint8_t* bytes) {
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

constexpr int32_t BitmapWidth = 640;
constexpr int32_t BitmapHeight = 460;
constexpr int32_t InfoHeaderSize = 40;
constexpr int32_t PaletteEntries = 256;

// The sheet as the program carries it: info header, colour table, pixels.
class SheetTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ResourceData resource{};
        ASSERT_EQ(FindResource("BMP1", "BITMAP", &resource), 1) << "the sheet is not embedded";
        bytes_ = resource.bytes;
        size_ = resource.size;
        ASSERT_GE(size_, static_cast<size_t>(InfoHeaderSize));
        SetUpSpriteRects();
    }

    int32_t HeaderWidth() const { return static_cast<int32_t>(Read32(bytes_ + 4)); }
    int32_t HeaderHeight() const { return static_cast<int32_t>(Read32(bytes_ + 8)); }

    const uint8_t* Colour(int32_t index) const { return bytes_ + InfoHeaderSize + 4 * index; }

    // The palette index at sheet pixel (x, y), counting rows from the top;
    // the rows are stored bottom-up.
    uint8_t Pixel(int32_t x, int32_t y) const {
        const size_t pixels = InfoHeaderSize + 4 * PaletteEntries;
        return bytes_[pixels + static_cast<size_t>(BitmapHeight - 1 - y) * BitmapWidth + x];
    }

    int32_t OpaqueIn(const Rect& r) const {
        int32_t count = 0;
        for (int32_t y = r.top; y < r.bottom; ++y) {
            for (int32_t x = r.left; x < r.right; ++x)
                count += Pixel(x, y) != 0;
        }
        return count;
    }

    bool SamePicture(const Rect& a, const Rect& b) const {
        for (int32_t y = 0; y < a.bottom - a.top; ++y) {
            for (int32_t x = 0; x < a.right - a.left; ++x) {
                if (Pixel(a.left + x, a.top + y) != Pixel(b.left + x, b.top + y))
                    return false;
            }
        }
        return true;
    }

    const uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
};

bool Inside(const Rect& r) {
    return r.left >= 0 && r.top >= 0 && r.left < r.right && r.top < r.bottom &&
           r.right <= BitmapWidth && r.bottom <= BitmapHeight;
}

TEST_F(SheetTest, IsAn8BitUncompressed640x460BitmapWithAFullPalette) {
    EXPECT_EQ(Read32(bytes_), static_cast<uint32_t>(InfoHeaderSize));
    EXPECT_EQ(HeaderWidth(), BitmapWidth);
    EXPECT_EQ(HeaderHeight(), BitmapHeight) << "rows stored bottom-up";
    EXPECT_EQ(Read16(bytes_ + 12), 1) << "planes";
    EXPECT_EQ(Read16(bytes_ + 14), 8) << "bits per pixel";
    EXPECT_EQ(Read32(bytes_ + 16), 0u) << "uncompressed";
    const uint32_t used = Read32(bytes_ + 32);
    EXPECT_TRUE(used == 0 || used == 256) << used;
    EXPECT_EQ(size_, static_cast<size_t>(InfoHeaderSize + 4 * PaletteEntries +
                                         BitmapWidth * BitmapHeight));
}

TEST_F(SheetTest, PaletteEntryZeroIsBlackAndNoOtherEntryRepeatsIt) {
    EXPECT_EQ(Colour(0)[0], 0);
    EXPECT_EQ(Colour(0)[1], 0);
    EXPECT_EQ(Colour(0)[2], 0);
    // A second pure black would look transparent to the eye while being
    // opaque on screen; outlines use their own dark colours.
    for (int32_t i = 1; i < PaletteEntries; ++i) {
        const uint8_t* c = Colour(i);
        EXPECT_FALSE(c[0] == 0 && c[1] == 0 && c[2] == 0) << "entry " << i;
    }
}

// Where a cell of the overview is a single pixel, what it shows must still
// be told at a glance: no two of its colours lie close in the palette.
TEST_F(SheetTest, TheOverviewColoursLieFarApart) {
    const uint8_t colours[] = {OverviewVoidColour,      OverviewHiddenColour,
                               OverviewFlaggedColour,   OverviewQuestionedColour,
                               OverviewOpenEmptyColour, OverviewNumberColour,
                               OverviewMineColour,      OverviewOutlineColour};
    for (uint8_t a : colours) {
        for (uint8_t b : colours) {
            if (a >= b)
                continue;
            double sum = 0;
            for (int32_t k = 0; k < 3; ++k)
                sum += std::pow(Colour(a)[k] - Colour(b)[k], 2);
            EXPECT_GE(std::sqrt(sum), 90.0) << "entries " << +a << " and " << +b;
        }
    }
}

TEST_F(SheetTest, EveryRectangleOfTheTablesLiesInsideTheBitmap) {
    for (int32_t i = 0; i < TileCount; ++i)
        EXPECT_TRUE(Inside(TileRects[i])) << "tile " << i;
    for (int32_t i = 0; i < 2 * FontGlyphs; ++i)
        EXPECT_TRUE(Inside(FontRects[i])) << i;
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_TRUE(Inside(FaceRects[i])) << "face " << i;
    EXPECT_TRUE(Inside(MenuBarRect));
    EXPECT_TRUE(Inside(LogoRect));
}

TEST_F(SheetTest, NothingIsDrawnOutsideThePictures) {
    // Marks every pixel some table reads; the rest, including the 1-pixel
    // lines between glyph cells and everything below row 452, must stay clear.
    std::vector<bool> used(BitmapWidth * BitmapHeight, false);
    auto mark = [&](const Rect& r) {
        for (int32_t y = r.top; y < r.bottom; ++y) {
            for (int32_t x = r.left; x < r.right; ++x)
                used[y * BitmapWidth + x] = true;
        }
    };
    for (const Rect& r : TileRects)
        mark(r);
    for (const Rect& r : FontRects)
        mark(r);
    for (const Rect& r : FaceRects)
        mark(r);
    mark(MenuBarRect);
    mark(LogoRect);
    int32_t stray = 0;
    for (int32_t y = 0; y < BitmapHeight; ++y) {
        for (int32_t x = 0; x < BitmapWidth; ++x) {
            if (!used[y * BitmapWidth + x] && Pixel(x, y) != 0) {
                if (++stray <= 5)
                    ADD_FAILURE() << "stray pixel at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(stray, 0);
}

TEST_F(SheetTest, GlyphsFitTheTwelvePixelAdvance) {
    for (int32_t font = 0; font < 2; ++font) {
        for (int32_t c = 32; c <= 127; ++c) {
            const Rect& r = FontRects[font * FontGlyphs + c];
            // The last four columns of a cell lie under the next glyph.
            const Rect overlap = {r.left + TextAdvance, r.top, r.right, r.bottom};
            EXPECT_EQ(OpaqueIn(overlap), 0) << "font " << font << " character " << c;
            if (c == ' ') {
                EXPECT_EQ(OpaqueIn(r), 0) << "the space is blank";
            } else {
                EXPECT_GT(OpaqueIn(r), 0) << "font " << font << " character " << c;
            }
        }
    }
}

TEST_F(SheetTest, TheTwoFontsDifferInColour) {
    // The same glyph in each font: same shape, different colours.
    const Rect& white = FontRects['A'];
    const Rect& other = FontRects[FontGlyphs + 'A'];
    int32_t differing = 0;
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 16; ++x) {
            const uint8_t a = Pixel(white.left + x, white.top + y);
            const uint8_t b = Pixel(other.left + x, other.top + y);
            EXPECT_EQ(a == 0, b == 0) << x << "," << y;
            differing += a != b;
        }
    }
    EXPECT_GT(differing, 20);
}

TEST_F(SheetTest, DefaultGlyphIsTheFootOfTheMenuBarOverClearPixels) {
    const Rect& glyph = FontRects[0];
    ASSERT_EQ(glyph.bottom - glyph.top, 13);
    const Rect foot = {glyph.left, glyph.top, glyph.right, glyph.top + 2};
    EXPECT_EQ(OpaqueIn(foot), 2 * 13) << "the bar's lowest rows show as the glyph";
    const Rect below = {glyph.left, glyph.top + 2, glyph.right, glyph.bottom};
    EXPECT_EQ(OpaqueIn(below), 0) << "the logo must leave the rest of the glyph clear";
}

TEST_F(SheetTest, CellPicturesAreOpaqueAndOverlaysLetTheCellShow) {
    // Every cell picture covers its whole square: a clear pixel would show
    // the black behind the board as a hole.
    for (int32_t i = 0; i < TileCount; ++i) {
        if (i == CursorBoxTile || i == PressHighlightTile)
            continue;
        EXPECT_EQ(OpaqueIn(TileRects[i]), 32 * 32) << "tile " << i;
    }
    // The cursor and the press highlight are drawn over cells: mostly clear.
    for (int32_t overlay : {CursorBoxTile, PressHighlightTile}) {
        const Rect& r = TileRects[overlay];
        EXPECT_GT(OpaqueIn(r), 40) << overlay;
        EXPECT_LT(OpaqueIn(r), 32 * 32 / 2) << overlay;
    }
}

TEST_F(SheetTest, TheCursorIsACrosshairWithoutAFrame) {
    // The board point under the screen centre lies under pixel 16 of the
    // cursor picture, one of its two middle pixels. Out from the middle in
    // each direction come the dot, a gap, an arm and a clear edge; the
    // corners, where a frame round a cell would run, stay clear.
    const Rect& box = TileRects[CursorBoxTile];
    auto opaque = [&](int32_t x, int32_t y) { return Pixel(box.left + x, box.top + y) != 0; };
    EXPECT_EQ(OpaqueIn({box.left + 15, box.top + 15, box.left + 17, box.top + 17}), 4) << "the dot";
    struct Direction {
        const char* name;
        int32_t dx, dy;
    };
    for (const Direction& d : {Direction{"right", 1, 0}, Direction{"left", -1, 0},
                               Direction{"down", 0, 1}, Direction{"up", 0, -1}}) {
        const int32_t toward = d.dx + d.dy;  // +1 or -1 along the line
        const int32_t start = toward > 0 ? 16 : 15;
        const int32_t steps = toward > 0 ? 32 - start : start + 1;
        // Both middle lines, from the middle pixel on this side to the edge.
        for (int32_t line = 15; line <= 16; ++line) {
            auto at = [&](int32_t step) {
                const int32_t along = start + step * toward;
                return d.dy == 0 ? opaque(along, line) : opaque(line, along);
            };
            std::vector<int32_t> runs;  // lengths of alternating opaque and clear runs
            for (int32_t step = 0; step < steps; ++step) {
                if (step == 0 || at(step) != at(step - 1))
                    runs.push_back(0);
                ++runs.back();
            }
            EXPECT_TRUE(at(0)) << d.name << ": the dot";
            ASSERT_EQ(runs.size(), 4u) << d.name << ": dot, gap, arm, clear edge";
            EXPECT_GE(runs[1], 2) << d.name << ": the gap";
            EXPECT_GE(runs[2], 5) << d.name << ": the arm";
        }
    }
    for (int32_t x : {0, 20}) {
        for (int32_t y : {0, 20}) {
            EXPECT_EQ(OpaqueIn({box.left + x, box.top + y, box.left + x + 12, box.top + y + 12}), 0)
                << "corner at " << x << "," << y;
        }
    }
    // A bright core and a dark rim, so it shows on light and dark cells.
    int32_t brightest = 0;
    int32_t darkest = 255;
    for (int32_t y = 0; y < 32; ++y) {
        for (int32_t x = 0; x < 32; ++x) {
            if (!opaque(x, y))
                continue;
            const uint8_t* c = Colour(Pixel(box.left + x, box.top + y));  // blue, green, red
            const int32_t luma = (114 * c[0] + 587 * c[1] + 299 * c[2]) / 1000;
            brightest = std::max(brightest, luma);
            darkest = std::min(darkest, luma);
        }
    }
    EXPECT_GE(brightest, 180);
    EXPECT_LE(darkest, 50);
}

TEST_F(SheetTest, AnimationsChangeFromFrameToFrame) {
    auto differ = [&](int32_t a, int32_t b) {
        EXPECT_FALSE(SamePicture(TileRects[a], TileRects[b])) << a << " and " << b;
    };
    differ(2, 1);    // raised and pressed half-way
    differ(1, 0);    // and pressed flat
    differ(5, 6);    // the flag waving
    differ(7, 8);    // the question mark
    differ(16, 17);  // the explosion
    differ(122, 123);
    for (int32_t k = 9; k < 13; ++k)
        differ(k, k + 1);
    differ(13, 14);  // the last opening frame and the opened cell
    for (int32_t v = 1; v <= 8; ++v) {
        const int32_t first = NumberTileBase + 13 * (v - 1);
        for (int32_t k = 0; k < 12; ++k)
            differ(first + k, first + k + 1);
        differ(first + 12, first + 5);  // the turn loops back to the number at rest
        for (int32_t w = v + 1; w <= 8; ++w)
            differ(first + 5, NumberTileBase + 13 * (w - 1) + 5);
    }
}

TEST_F(SheetTest, FacesAreRoundAndDistinct) {
    for (int32_t i = 0; i < 12; ++i) {
        const Rect& r = FaceRects[i];
        EXPECT_EQ(Pixel(r.left, r.top), 0) << "face " << i << " corner";
        EXPECT_EQ(Pixel(r.right - 1, r.bottom - 1), 0) << "face " << i << " corner";
        EXPECT_NE(Pixel(r.left + 32, r.top + 32), 0) << "face " << i << " centre";
    }
    // Title/Ready/Playing share a face, as do Won and NameEntry; the three
    // moods and the two phases of each all differ.
    const int32_t moods[] = {4, 6, 8};  // Playing, Lost, Won
    for (int32_t a = 0; a < 3; ++a) {
        EXPECT_FALSE(SamePicture(FaceRects[moods[a]], FaceRects[moods[a] + 1])) << a;
        for (int32_t b = a + 1; b < 3; ++b) {
            EXPECT_FALSE(SamePicture(FaceRects[moods[a]], FaceRects[moods[b]])) << a << b;
        }
    }
}

TEST_F(SheetTest, LogoAndMenuBarAreDrawn) {
    const Rect& logo = LogoRect;
    const int32_t area = (logo.right - logo.left) * (logo.bottom - logo.top);
    EXPECT_GT(OpaqueIn(logo), area / 5);
    const Rect& bar = MenuBarRect;
    // The bar is solid along its middle, where the menu text stands.
    EXPECT_EQ(OpaqueIn({bar.left + 8, bar.top + 2, bar.right - 8, bar.bottom - 2}),
              (bar.right - bar.left - 16) * (bar.bottom - bar.top - 4));
}

TEST(IconTest, IsA64x64BitmapFileWithAlpha) {
    ResourceData icon{};
    ASSERT_EQ(FindResource("icon1", "ICON", &icon), 1);
    const uint8_t* b = icon.bytes;
    ASSERT_GE(icon.size, static_cast<size_t>(14 + 108 + 64 * 64 * 4));
    EXPECT_EQ(std::memcmp(b, "BM", 2), 0) << "the icon keeps its file header";
    const uint32_t offset = Read32(b + 10);
    const uint8_t* info = b + 14;
    EXPECT_GE(Read32(info), 108u) << "a V4 header or later, which carries the alpha mask";
    EXPECT_EQ(static_cast<int32_t>(Read32(info + 4)), 64);
    EXPECT_EQ(static_cast<int32_t>(Read32(info + 8)), 64);
    EXPECT_EQ(Read16(info + 14), 32);
    EXPECT_EQ(Read32(info + 16), 3u) << "BI_BITFIELDS";
    EXPECT_EQ(Read32(info + 40), 0x00FF0000u);
    EXPECT_EQ(Read32(info + 44), 0x0000FF00u);
    EXPECT_EQ(Read32(info + 48), 0x000000FFu);
    EXPECT_EQ(Read32(info + 52), 0xFF000000u);
    ASSERT_EQ(icon.size, offset + 64u * 64u * 4u);
    auto alpha = [&](int32_t x, int32_t y) { return b[offset + (y * 64 + x) * 4 + 3]; };
    EXPECT_EQ(alpha(0, 0), 0) << "rounded corners are see-through";
    EXPECT_EQ(alpha(63, 63), 0);
    EXPECT_EQ(alpha(32, 32), 255);
}

}  // namespace
