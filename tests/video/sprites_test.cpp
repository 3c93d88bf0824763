// The sprite tables and the two text primitives.
#include <gtest/gtest.h>

#include <climits>

#include "app/game_state.h"
#include "board/clock.h"
#include "board/random.h"
#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/sprites.h"

namespace {

Rect Tile(int32_t left, int32_t top) {
    return {left, top, left + 32, top + 32};
}

class SpriteTablesTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        SetUpSpriteRects();
    }
};

TEST_F(SpriteTablesTest, CoverAndOpenRowsHaveTheirPictures) {
    EXPECT_EQ(TileRects[0], Tile(64, 0)) << "pressed flat";
    EXPECT_EQ(TileRects[1], Tile(32, 0)) << "pressed half-way";
    EXPECT_EQ(TileRects[2], Tile(0, 0)) << "raised";
    EXPECT_EQ(TileRects[3], Tile(32, 0));
    EXPECT_EQ(TileRects[4], Tile(64, 0));
    EXPECT_EQ(TileRects[5], Tile(96, 0)) << "flag";
    EXPECT_EQ(TileRects[6], Tile(128, 0));
    EXPECT_EQ(TileRects[7], Tile(160, 0)) << "question mark";
    EXPECT_EQ(TileRects[8], Tile(192, 0));
    for (int k = 0; k <= 4; ++k)
        EXPECT_EQ(TileRects[9 + k], Tile(32 * k, 32)) << "opening " << k;
    EXPECT_EQ(TileRects[14], Tile(160, 32)) << "opened empty cell";
    EXPECT_EQ(TileRects[15], Tile(192, 32)) << "revealed mine";
    EXPECT_EQ(TileRects[16], Tile(224, 32));
    EXPECT_EQ(TileRects[17], Tile(256, 32));
    EXPECT_EQ(TileRects[122], Tile(288, 32)) << "crossed-out flag";
    EXPECT_EQ(TileRects[123], Tile(320, 32));
    EXPECT_EQ(TileRects[130], Tile(224, 0)) << "cursor box";
    EXPECT_EQ(TileRects[131], Tile(256, 0)) << "press highlight";
}

TEST_F(SpriteTablesTest, EveryNumberHasThirteenFramesInItsOwnRow) {
    for (int v = 1; v <= 8; ++v) {
        for (int k = 0; k <= 12; ++k) {
            EXPECT_EQ(TileRects[18 + 13 * (v - 1) + k], Tile(32 * k, 64 + 32 * (v - 1)))
                << "number " << v << " frame " << k;
        }
    }
    EXPECT_EQ(TileRects[13 * 3 + 10], Tile(160, 128)) << "a 3 at rest is tile 49";
}

TEST_F(SpriteTablesTest, EveryOtherTileIsTheSpareTile) {
    const Rect spare = {288, 0, 320, 32};
    for (int i = 124; i <= 129; ++i)
        EXPECT_EQ(TileRects[i], spare) << "tile " << i;
    for (int i = 132; i < TileCount; ++i)
        EXPECT_EQ(TileRects[i], spare) << "tile " << i;
}

TEST_F(SpriteTablesTest, FontsHoldCharacters32To127AndTheDefaultGlyphElsewhere) {
    const Rect defaultGlyph = {177, 337, 190, 350};
    for (int n : {0, 10, 31, 128, 200, 255}) {
        EXPECT_EQ(FontRects[n], defaultGlyph) << "font 0 character " << n;
        EXPECT_EQ(FontRects[256 + n], defaultGlyph) << "font 1 character " << n;
    }
    EXPECT_EQ(FontRects[32], (Rect{417, 1, 433, 17})) << "the space is the top-left cell";
    EXPECT_EQ(FontRects[47], (Rect{417, 256, 433, 272})) << "'/' ends column 0";
    EXPECT_EQ(FontRects[65], (Rect{451, 18, 467, 34})) << "'A' is column 2, row 1";
    EXPECT_EQ(FontRects[256 + 65], (Rect{553, 18, 569, 34})) << "font 1 sits beside font 0";
    EXPECT_EQ(FontRects[256 + 127], (Rect{604, 256, 620, 272})) << "127 ends column 5";
}

TEST_F(SpriteTablesTest, FacesMenuBarAndLogo) {
    const Rect smiling[2] = {{314, 322, 378, 386}, {314, 388, 378, 452}};
    const Rect crossedEyes[2] = {{379, 322, 443, 386}, {379, 388, 443, 452}};
    const Rect sunglasses[2] = {{444, 322, 508, 386}, {444, 388, 508, 452}};
    const Rect* byState[6] = {smiling, smiling, smiling, crossedEyes, sunglasses, sunglasses};
    for (int state = 0; state < 6; ++state) {
        for (int phase = 0; phase < 2; ++phase) {
            EXPECT_EQ(FaceRects[2 * state + phase], byState[state][phase])
                << "state " << state << " phase " << phase;
        }
    }
    EXPECT_EQ(MenuBarRect, (Rect{0, 320, 313, 339}));
    EXPECT_EQ(LogoRect, (Rect{3, 342, 284, 430}));
}

TEST_F(SpriteTablesTest, SetUpSeedsTheGeneratorAndStartsTheClockAndMenu) {
    HeadlessSetTicks(86420);
    MenuCursorY = 77;
    SetUpSpriteRects();
    EXPECT_EQ(LastTick, 86420u);
    EXPECT_EQ(MenuCursorY, 0);
    const int32_t drawn[3] = {NextRandom(), NextRandom(), NextRandom()};
    SeedRandom(86420);
    for (int32_t value : drawn)
        EXPECT_EQ(NextRandom(), value);
}

// --- text ------------------------------------------------------------------------

class TextTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        InstallRecognisableSheet();
    }
};

TEST_F(TextTest, AStringDrawsOneGlyphEvery12Pixels) {
    EXPECT_EQ(DrawString(10, 40, 0, "Sec"), 46);
    EXPECT_EQ(TextAt(10, 40, 0, 3), "Sec");
    EXPECT_EQ(PixelAt(11, 41), 'S');
    EXPECT_EQ(PixelAt(23, 41), 'e');
    EXPECT_EQ(PixelAt(35, 41), 'c');
    EXPECT_EQ(DrawString(100, 100, 1, "Aa~"), 136);
    EXPECT_EQ(TextAt(100, 100, 1, 3), "Aa~") << "font 1 is the second table";
    EXPECT_EQ(PixelAt(102, 101), FontMark + 1);
}

TEST_F(TextTest, AnEmptyStringDrawsNothing) {
    EXPECT_EQ(DrawString(50, 60, 0, ""), 50);
    EXPECT_EQ(CountPixels(0), ScreenWidth * ScreenHeight);
}

TEST_F(TextTest, ASpaceDrawsNothingButAdvances) {
    EXPECT_EQ(DrawString(50, 60, 0, " "), 62);
    EXPECT_EQ(CountPixels(0), ScreenWidth * ScreenHeight);
    EXPECT_EQ(DrawString(50, 60, 0, "a b"), 86);
    EXPECT_EQ(TextAt(50, 60, 0, 3), "a b");
}

TEST_F(TextTest, CharactersOutsideTheFontsDrawTheDefaultGlyph) {
    // A control character and a byte above 127, as a damaged map name has.
    EXPECT_EQ(DrawString(100, 100, 0, "\x01\xC8"), 124);
    // Two 13-pixel glyphs 12 apart: their top two rows, the menu bar's lowest
    // rows, run unbroken from 100 to 124, and the rest is transparent.
    for (int32_t x = 100; x <= 124; ++x) {
        EXPECT_EQ(PixelAt(x, 100), MenuBarId) << "x " << x;
        EXPECT_EQ(PixelAt(x, 101), MenuBarId) << "x " << x;
    }
    EXPECT_EQ(PixelAt(125, 100), 0);
    EXPECT_EQ(CountPixels(MenuBarId), 2 * 25);
}

TEST_F(TextTest, BoundedTextStopsAtItsCapacity) {
    const char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(DrawText(10, 10, 0, unterminated, 3), 46);
    EXPECT_EQ(TextAt(10, 10, 0, 4), "abc ");
    EXPECT_EQ(DrawText(10, 40, 0, "ab\0cd", 5), 34) << "and earlier at a NUL";
}

TEST_F(TextTest, NumbersAreDrawnWithoutLeadingZerosOrSign) {
    EXPECT_EQ(DrawNumber(10, 10, 0, 0), 22);
    EXPECT_EQ(TextAt(10, 10, 0, 2), "0 ");
    EXPECT_EQ(DrawNumber(10, 30, 0, 120), 46);
    EXPECT_EQ(TextAt(10, 30, 0, 4), "120 ");
    EXPECT_EQ(DrawNumber(10, 50, 1, 1234567890), 130);
    EXPECT_EQ(TextAt(10, 50, 1, 11), "1234567890 ") << "exactly its ten digits";
    EXPECT_EQ(DrawNumber(10, 70, 0, 999999), 82);
    EXPECT_EQ(TextAt(10, 70, 0, 6), "999999");
}

TEST_F(TextTest, NegativeNumbersStartWithAMinus) {
    EXPECT_EQ(DrawNumber(10, 10, 0, -3), 34);
    EXPECT_EQ(TextAt(10, 10, 0, 3), "-3 ");
    EXPECT_EQ(DrawNumber(10, 30, 0, -7), 34);
    EXPECT_EQ(TextAt(10, 30, 0, 2), "-7");
    EXPECT_EQ(DrawNumber(10, 50, 0, -10), 46);
    EXPECT_EQ(TextAt(10, 50, 0, 3), "-10");
}

TEST_F(TextTest, TheExtremeValuesAreDrawnInFull) {
    EXPECT_EQ(DrawNumber(10, 10, 0, INT32_MIN), 10 + 11 * 12);
    EXPECT_EQ(TextAt(10, 10, 0, 12), "-2147483648 ");
    EXPECT_EQ(DrawNumber(10, 30, 0, INT32_MAX), 10 + 10 * 12);
    EXPECT_EQ(TextAt(10, 30, 0, 11), "2147483647 ");
}

}  // namespace
