// SPDX-License-Identifier: MIT
// The sprite tables and the text primitives. The faces, the menu bar and the
// logo are checked where the screens draw them.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "board/clock.h"
#include "board/random.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/sprites.h"

namespace {

using SpriteTablesTest = GameTest;

// The tile cell `column`, `row` of the sheet, 32 pixels each way.
Rect Cell(int32_t column, int32_t row) {
    return {32 * column, 32 * row, 32 * column + 32, 32 * row + 32};
}

TEST_F(SpriteTablesTest, SetUpGivesEveryTileItsPictureAndStartsTheClockAndGenerator) {
    HeadlessSetTicks(86420);
    MenuCursorY = 77;
    SetUpSpriteRects();
    EXPECT_EQ(LastTick, 86420u) << "the clock starts from the tick count";
    EXPECT_EQ(MenuCursorY, 0);
    const int32_t drawn = NextRandom();
    SeedRandom(86420);
    EXPECT_EQ(NextRandom(), drawn) << "the generator is seeded from the tick count";

    // The cover row: pressed flat, half-way, raised, the cell sinking again,
    // the flag and the question mark frames, the two overlays, the spare; the
    // open row: an empty cell opening and opened, the mines, the crossed flag;
    // then each number in its own row: five opening frames, at rest, turning.
    Rect expected[TileCount];
    std::fill_n(expected, TileCount, Cell(9, 0));
    const int32_t coverColumn[9] = {2, 1, 0, 1, 2, 3, 4, 5, 6};
    for (int32_t tile = 0; tile < 9; ++tile)
        expected[tile] = Cell(coverColumn[tile], 0);
    expected[CursorBoxTile] = Cell(7, 0);
    expected[PressHighlightTile] = Cell(8, 0);
    for (int32_t k = 0; k <= 8; ++k)
        expected[OpeningEmptyTile + k] = Cell(k, 1);
    expected[CrossedFlagTile] = Cell(9, 1);
    expected[CrossedFlagTile + 1] = Cell(10, 1);
    for (int32_t k = 0; k < 8 * 13; ++k)
        expected[NumberTileBase + k] = Cell(k % 13, 2 + k / 13);
    for (int32_t tile = 0; tile < TileCount; ++tile)
        EXPECT_EQ(TileRects[tile], expected[tile]) << "tile " << tile;
}

TEST_F(SpriteTablesTest, TheFontsHoldCharacters32To127AndTheDefaultGlyphElsewhere) {
    SetUpSpriteRects();
    const Rect defaultGlyph = {177, 337, 190, 350};
    for (int32_t n : {0, 31, 128, 255}) {
        EXPECT_EQ(FontRects[n], defaultGlyph) << "font 0 character " << n;
        EXPECT_EQ(FontRects[FontGlyphs + n], defaultGlyph) << "font 1 character " << n;
    }
    EXPECT_EQ(FontRects[32], (Rect{417, 1, 433, 17})) << "the space is the top-left cell";
    EXPECT_EQ(FontRects[FontGlyphs + 127], (Rect{604, 256, 620, 272})) << "127 ends column 5";
}

class TextTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        InstallRecognisableSheet();
    }
};

TEST_F(TextTest, GlyphsAre12PixelsApartASpaceOnlyAdvancesAndAFieldEndsTheText) {
    EXPECT_EQ(DrawString(10, 40, 0, "S c"), 46);
    EXPECT_EQ(TextAt(10, 40, 0, 4), "S c ");
    EXPECT_EQ(CountPixels(FontMark), 2) << "the space draws nothing";
    EXPECT_EQ(DrawString(50, 60, 0, ""), 50);
    // A fixed-size field is never read beyond its end.
    EXPECT_EQ(DrawText(10, 80, 0, "abcd", 3), 46);
    EXPECT_EQ(TextAt(10, 80, 0, 4), "abc ");
}

TEST_F(TextTest, CharactersOutsideTheFontsDrawTheDefaultGlyph) {
    // A control character and a byte above 127, as a damaged map name has:
    // two 13-pixel glyphs 12 apart, whose top two rows (the menu bar's
    // lowest) run unbroken from 100 to 124, the rest transparent.
    EXPECT_EQ(DrawString(100, 100, 1, "\x01\xC8"), 124);
    EXPECT_EQ(PixelAt(100, 100), MenuBarId);
    EXPECT_EQ(PixelAt(124, 101), MenuBarId);
    EXPECT_EQ(CountPixels(MenuBarId), 2 * 25);
}

TEST_F(TextTest, NumbersHaveNoLeadingZerosAndAMinusWhenNegative) {
    for (int32_t value : {0, 120, -7, -10, 1234567890, INT32_MAX, INT32_MIN}) {
        const std::string text = std::to_string(value);
        const int32_t length = static_cast<int32_t>(text.size());
        ClearBackBuffer();
        EXPECT_EQ(DrawNumber(10, 100, 0, value), 10 + TextAdvance * length) << text;
        EXPECT_EQ(TextAt(10, 100, 0, length + 1), text + " ");
    }
}

}  // namespace
