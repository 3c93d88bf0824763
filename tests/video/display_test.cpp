// The display: taking the screen, loading the palette and the sheet from a
// bitmap resource, the clipped colour-keyed copy, clearing and flipping.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"
#include "tests/video/test_sheet.h"
#include "video/display.h"

namespace {

class DisplayTest : public GameTest {
  protected:
    WindowHandle OpenWindow() { return CreateGameWindow("Torvex", DefWindowProc, "icon1"); }
};

// --- taking the screen, clearing and flipping --------------------------------

TEST_F(DisplayTest, InitDisplayTakesTheScreenOnlyForTheGamesOwnSizes) {
    WindowHandle window = OpenWindow();
    EXPECT_EQ(InitDisplay(window, 800, 600, 640, 480), 0) << "the back buffer is 640x480";
    EXPECT_EQ(InitDisplay(window, 640, 480, 640, 481), 0) << "the sheet holds at most 640x480";
    EXPECT_FALSE(HeadlessDisplayIsOpen());
    EXPECT_EQ(InitDisplay(window, 640, 480, 640, 480), 1);
    EXPECT_TRUE(HeadlessDisplayIsOpen());
    ReleaseDisplay();
    EXPECT_FALSE(HeadlessDisplayIsOpen());
}

TEST_F(DisplayTest, InitDisplayFailsWhenThePlatformHasNoScreen) {
    HeadlessSetDisplayAvailable(false);
    EXPECT_EQ(InitDisplay(OpenWindow(), 640, 480, 640, 480), 0);
    FlipPage();
    EXPECT_EQ(HeadlessFramesPresented(), 0u) << "nothing is shown without a screen";
}

TEST_F(DisplayTest, FlipShowsTheBackBufferWithAnAllBlackPaletteBeforeLoading) {
    ASSERT_EQ(InitDisplay(OpenWindow(), 640, 480, 640, 480), 1);
    BackBuffer[0] = 7;
    BackBuffer[ScreenWidth * ScreenHeight - 1] = 200;
    FlipPage();
    ASSERT_EQ(HeadlessFramesPresented(), 1u);
    EXPECT_EQ(std::memcmp(HeadlessFramePixels(), BackBuffer, sizeof(BackBuffer)), 0);
    for (int i = 0; i < 256; ++i) {
        const PaletteEntry& entry = HeadlessFramePalette()[i];
        EXPECT_EQ(entry.red | entry.green | entry.blue | entry.flags, 0) << "entry " << i;
    }
}

TEST_F(DisplayTest, RestoreShowsABlackFrameAndReleaseStopsShowing) {
    ASSERT_EQ(InitDisplay(OpenWindow(), 640, 480, 640, 480), 1);
    std::memset(BackBuffer, 5, sizeof(BackBuffer));
    RestoreSurfaces();
    ASSERT_EQ(HeadlessFramesPresented(), 1u);
    for (int i = 0; i < ScreenWidth * ScreenHeight; ++i) {
        ASSERT_EQ(HeadlessFramePixels()[i], 0) << "pixel " << i;
    }
    ReleaseDisplay();
    FlipPage();
    EXPECT_EQ(HeadlessFramesPresented(), 1u);
}

TEST_F(DisplayTest, ClearSetsEveryPixelToIndexZero) {
    std::memset(BackBuffer, 9, sizeof(BackBuffer));
    ClearBackBuffer();
    EXPECT_EQ(CountPixels(0), ScreenWidth * ScreenHeight);
}

// --- the clipped, colour-keyed copy --------------------------------------------

// A sheet where every pixel differs from its neighbours and none is 0, so
// a copy shifted by one pixel, or missing a row, shows.
class BlitTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        for (int32_t y = 0; y < SheetHeight; ++y) {
            for (int32_t x = 0; x < SheetWidth; ++x) {
                SpriteSheet[y * SheetWidth + x] = static_cast<uint8_t>(1 + (3 * x + 7 * y) % 255);
            }
        }
    }

    // The tile at the sheet origin.
    static constexpr Rect Tile = {64, 96, 96, 128};

    // True when the back buffer holds sheet columns/rows starting at
    // (sourceX, sourceY) in the width x height area at (x, y), and nothing
    // anywhere else.
    static bool ShowsExactly(int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t width,
                             int32_t height) {
        for (int32_t row = 0; row < height; ++row) {
            for (int32_t column = 0; column < width; ++column) {
                const uint8_t want = SpriteSheet[(sourceY + row) * SheetWidth + sourceX + column];
                if (PixelAt(x + column, y + row) != want)
                    return false;
            }
        }
        return CountPixels(0) == ScreenWidth * ScreenHeight - int64_t{width} * height;
    }
};

TEST_F(BlitTest, ATileInsideTheScreenIsCopiedWhole) {
    BlitSprite(100, 50, Tile);
    EXPECT_TRUE(ShowsExactly(100, 50, 64, 96, 32, 32));
}

TEST_F(BlitTest, ATileAtTheLastPositionReachesTheLastColumnAndRow) {
    BlitSprite(608, 448, Tile);
    EXPECT_TRUE(ShowsExactly(608, 448, 64, 96, 32, 32));
    EXPECT_NE(PixelAt(639, 479), 0);
}

TEST_F(BlitTest, ATileOverTheLeftEdgeShowsItsRightColumns) {
    BlitSprite(-10, 50, Tile);
    EXPECT_TRUE(ShowsExactly(0, 50, 74, 96, 22, 32));
}

TEST_F(BlitTest, ATileOverTheRightEdgeShowsItsLeftColumns) {
    BlitSprite(620, 50, Tile);
    EXPECT_TRUE(ShowsExactly(620, 50, 64, 96, 20, 32));
}

TEST_F(BlitTest, ATileOverTheTopOrBottomEdgeShowsTheRowsOnScreen) {
    BlitSprite(100, 470, Tile);
    EXPECT_TRUE(ShowsExactly(100, 470, 64, 96, 32, 10));
    ClearBackBuffer();
    BlitSprite(100, -5, Tile);
    EXPECT_TRUE(ShowsExactly(100, 0, 64, 101, 32, 27));
}

TEST_F(BlitTest, ATileOverACornerIsClippedOnBothAxes) {
    BlitSprite(-31, 479, Tile);
    EXPECT_TRUE(ShowsExactly(0, 479, 95, 96, 1, 1));
}

TEST_F(BlitTest, ATileWhollyOffTheScreenDrawsNothing) {
    const int32_t positions[][2] = {
        {-32, 50},      {640, 50},      {50, -32},      {50, 480},      {-1000, -1000},
        {INT32_MIN, 0}, {INT32_MAX, 0}, {0, INT32_MIN}, {0, INT32_MAX}, {INT32_MIN, INT32_MIN}};
    for (const auto& position : positions) {
        BlitSprite(position[0], position[1], Tile);
        EXPECT_EQ(CountPixels(0), ScreenWidth * ScreenHeight)
            << "at " << position[0] << ", " << position[1];
    }
}

TEST_F(BlitTest, ARectangleReachingOutsideTheSheetIsRefusedWhole) {
    BlitSprite(10, 10, Rect{-4, 0, 28, 32});
    BlitSprite(10, 10, Rect{620, 0, 652, 32});
    BlitSprite(10, 10, Rect{0, 470, 32, 502});
    BlitSprite(10, 10, Rect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX});
    EXPECT_EQ(CountPixels(0), ScreenWidth * ScreenHeight);
}

TEST_F(BlitTest, EmptyOrInvertedRectanglesDrawNothing) {
    BlitSprite(10, 10, Rect{64, 96, 64, 128});
    BlitSprite(10, 10, Rect{96, 96, 64, 128});
    EXPECT_EQ(CountPixels(0), ScreenWidth * ScreenHeight);
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

// --- the palette -----------------------------------------------------------------

class PaletteTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        for (PaletteEntry& entry : PaletteTable)
            entry = PaletteEntry{1, 2, 3, 0};
    }

    static void AddBitmap(const BitmapLayout& layout) {
        HeadlessAddResource("PAL", "BITMAP", BuildBitmap(layout));
    }

    static bool PaletteUntouched() {
        for (const PaletteEntry& entry : PaletteTable) {
            if (entry.red != 1 || entry.green != 2 || entry.blue != 3 || entry.flags != 0)
                return false;
        }
        return true;
    }

    static void ExpectRampEntry(int i) {
        EXPECT_EQ(PaletteTable[i].red, i / 2) << "entry " << i;
        EXPECT_EQ(PaletteTable[i].green, 255 - i) << "entry " << i;
        EXPECT_EQ(PaletteTable[i].blue, i) << "entry " << i;
        EXPECT_EQ(PaletteTable[i].flags, 0) << "entry " << i;
    }
};

TEST_F(PaletteTest, AnEightBitBitmapWithNoColourCountGivesAll256Entries) {
    BitmapLayout layout;
    layout.colourTable = ColourRamp(256);
    layout.pixels = {0};
    AddBitmap(layout);
    EXPECT_EQ(LoadPalette("PAL"), 1);
    for (int i = 0; i < 256; ++i)
        ExpectRampEntry(i);
}

TEST_F(PaletteTest, AColourCountSetsOnlyThatManyEntries) {
    BitmapLayout layout;
    layout.coloursUsed = 16;
    layout.colourTable = ColourRamp(16);
    layout.pixels = {0};
    AddBitmap(layout);
    EXPECT_EQ(LoadPalette("pal"), 1) << "names are matched in any letter case";
    for (int i = 0; i < 16; ++i)
        ExpectRampEntry(i);
    for (int i = 16; i < 256; ++i) {
        EXPECT_EQ(PaletteTable[i].red, 1) << "entry " << i << " keeps its colour";
        EXPECT_EQ(PaletteTable[i].blue, 3) << "entry " << i << " keeps its colour";
    }
}

TEST_F(PaletteTest, TheColourTableStartsWhereTheHeaderSaysItEnds) {
    BitmapLayout layout;
    layout.headerSize = 108;  // a later, longer header
    layout.colourTable = ColourRamp(256);
    layout.pixels = {0};
    AddBitmap(layout);
    EXPECT_EQ(LoadPalette("PAL"), 1);
    for (int i = 0; i < 256; ++i)
        ExpectRampEntry(i);
}

TEST_F(PaletteTest, AtMost256EntriesAreTaken) {
    BitmapLayout layout;
    layout.coloursUsed = 300;
    layout.colourTable = ColourRamp(300);
    AddBitmap(layout);
    EXPECT_EQ(LoadPalette("PAL"), 1);
    for (int i = 0; i < 256; ++i)
        ExpectRampEntry(i);
}

TEST_F(PaletteTest, AMissingOrDamagedBitmapChangesNothing) {
    EXPECT_EQ(LoadPalette("NOWHERE"), 0);
    EXPECT_TRUE(PaletteUntouched());

    BitmapLayout cut;
    cut.colourTable = ColourRamp(255);  // one entry short of the 256 it implies
    HeadlessAddResource("CUT", "BITMAP", BuildBitmap(cut));
    EXPECT_EQ(LoadPalette("CUT"), 0);
    EXPECT_TRUE(PaletteUntouched());

    BitmapLayout trueColour;
    trueColour.bitCount = 24;  // no colour table at all
    trueColour.colourTable = std::vector<uint8_t>(1024, 9);
    HeadlessAddResource("RGB", "BITMAP", BuildBitmap(trueColour));
    EXPECT_EQ(LoadPalette("RGB"), 0);
    EXPECT_TRUE(PaletteUntouched());

    HeadlessAddResource("STUB", "BITMAP", std::vector<uint8_t>(39, 0));
    EXPECT_EQ(LoadPalette("STUB"), 0) << "shorter than an info header";
    std::vector<uint8_t> small = BuildBitmap(BitmapLayout{});
    small[0] = 12;  // an old core header, which has no room for the fields we read
    HeadlessAddResource("CORE", "BITMAP", small);
    EXPECT_EQ(LoadPalette("CORE"), 0);
    std::vector<uint8_t> huge = BuildBitmap(BitmapLayout{});
    huge[3] = 0x7F;  // a header claiming to be longer than the resource
    HeadlessAddResource("HUGE", "BITMAP", huge);
    EXPECT_EQ(LoadPalette("HUGE"), 0);
    EXPECT_TRUE(PaletteUntouched());
}

// --- the sheet ---------------------------------------------------------------------

class SheetLoadTest : public DisplayTest {
  protected:
    static constexpr uint8_t Untouched = 77;

    void SetUp() override {
        DisplayTest::SetUp();
        std::memset(SpriteSheet, Untouched, sizeof(SpriteSheet));
    }

    // A 5x3 picture (rows padded to 8 bytes) whose pixel (x, y) is 10 y + x + 1.
    static BitmapLayout SmallPicture() {
        BitmapLayout layout;
        layout.width = 5;
        layout.height = 3;
        layout.colourTable = ColourRamp(256);
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 5; ++x)
                layout.pixels.push_back(static_cast<uint8_t>(10 * y + x + 1));
        }
        return layout;
    }

    static uint8_t Sheet(int x, int y) { return SpriteSheet[y * SheetWidth + x]; }

    static bool ShowsSmallPicture(int columns, int rows) {
        for (int y = 0; y < SheetHeight; ++y) {
            for (int x = 0; x < SheetWidth; ++x) {
                const uint8_t want =
                    x < columns && y < rows ? static_cast<uint8_t>(10 * y + x + 1) : Untouched;
                if (Sheet(x, y) != want)
                    return false;
            }
        }
        return true;
    }

    static bool SheetUntouched() {
        for (uint8_t pixel : SpriteSheet) {
            if (pixel != Untouched)
                return false;
        }
        return true;
    }
};

TEST_F(SheetLoadTest, BottomUpAndTopDownPicturesLandTheSameWayUp) {
    HeadlessAddResource("UP", "BITMAP", BuildBitmap(SmallPicture()));
    BitmapLayout topDown = SmallPicture();
    topDown.topDown = true;
    HeadlessAddResource("DOWN", "BITMAP", BuildBitmap(topDown));

    EXPECT_EQ(LoadSheetBitmap("UP", 640, 460), 1);
    EXPECT_TRUE(ShowsSmallPicture(5, 3));
    std::memset(SpriteSheet, Untouched, sizeof(SpriteSheet));
    EXPECT_EQ(LoadSheetBitmap("down", 640, 460), 1);
    EXPECT_TRUE(ShowsSmallPicture(5, 3));
}

TEST_F(SheetLoadTest, OnlyTheRequestedRegionOfThePictureIsCopied) {
    HeadlessAddResource("UP", "BITMAP", BuildBitmap(SmallPicture()));
    EXPECT_EQ(LoadSheetBitmap("UP", 3, 2), 1);
    EXPECT_TRUE(ShowsSmallPicture(3, 2));
}

TEST_F(SheetLoadTest, ARegionLargerThanThePictureChangesNothingBeyondIt) {
    HeadlessAddResource("UP", "BITMAP", BuildBitmap(SmallPicture()));
    EXPECT_EQ(LoadSheetBitmap("UP", 640, 480), 1);
    EXPECT_TRUE(ShowsSmallPicture(5, 3));
    EXPECT_EQ(LoadSheetBitmap("UP", 0, -4), 1);
    EXPECT_TRUE(ShowsSmallPicture(5, 3));
}

TEST_F(SheetLoadTest, PixelsFollowAShortColourTable) {
    BitmapLayout layout = SmallPicture();
    layout.coloursUsed = 2;
    layout.colourTable = ColourRamp(2);
    HeadlessAddResource("TWO", "BITMAP", BuildBitmap(layout));
    EXPECT_EQ(LoadSheetBitmap("TWO", 640, 460), 1);
    EXPECT_TRUE(ShowsSmallPicture(5, 3));
}

TEST_F(SheetLoadTest, PicturesThatAreNotPlainEightBitAreRefused) {
    EXPECT_EQ(LoadSheetBitmap("NOWHERE", 640, 460), 0);

    BitmapLayout fourBit = SmallPicture();
    fourBit.bitCount = 4;
    fourBit.colourTable = ColourRamp(16);
    HeadlessAddResource("FOUR", "BITMAP", BuildBitmap(fourBit));
    EXPECT_EQ(LoadSheetBitmap("FOUR", 640, 460), 0);

    BitmapLayout trueColour = SmallPicture();
    trueColour.bitCount = 24;
    trueColour.colourTable.clear();
    HeadlessAddResource("RGB", "BITMAP", BuildBitmap(trueColour));
    EXPECT_EQ(LoadSheetBitmap("RGB", 640, 460), 0);

    BitmapLayout runLength = SmallPicture();
    runLength.compression = 1;  // RLE8
    HeadlessAddResource("RLE", "BITMAP", BuildBitmap(runLength));
    EXPECT_EQ(LoadSheetBitmap("RLE", 640, 460), 0);

    BitmapLayout tooManyColours = SmallPicture();
    tooManyColours.coloursUsed = 257;
    tooManyColours.colourTable = ColourRamp(257);
    HeadlessAddResource("WIDE", "BITMAP", BuildBitmap(tooManyColours));
    EXPECT_EQ(LoadSheetBitmap("WIDE", 640, 460), 0);

    EXPECT_TRUE(SheetUntouched());
}

TEST_F(SheetLoadTest, APictureShorterThanItsHeaderSaysIsRefusedUnread) {
    std::vector<uint8_t> whole = BuildBitmap(SmallPicture());
    whole.pop_back();  // the last padding byte of the top row
    HeadlessAddResource("CUT", "BITMAP", whole);
    EXPECT_EQ(LoadSheetBitmap("CUT", 640, 460), 0);

    std::vector<uint8_t> headerOnly = BuildBitmap(SmallPicture());
    headerOnly.resize(30);
    HeadlessAddResource("STUB", "BITMAP", headerOnly);
    EXPECT_EQ(LoadSheetBitmap("STUB", 640, 460), 0);

    // Dimensions whose pixel count overflows 32 bits must not pass as small.
    BitmapLayout giant = SmallPicture();
    giant.pixels.clear();
    giant.width = 0x10000;
    giant.height = 0x10000;
    std::vector<uint8_t> giantBytes = BuildBitmap(giant);
    giantBytes.resize(giantBytes.size() + 64, 1);
    HeadlessAddResource("GIANT", "BITMAP", giantBytes);
    EXPECT_EQ(LoadSheetBitmap("GIANT", 640, 460), 0);

    BitmapLayout noRows = SmallPicture();
    noRows.pixels.clear();
    std::vector<uint8_t> mostNegative = BuildBitmap(noRows);
    mostNegative[8] = 0;
    mostNegative[9] = 0;
    mostNegative[10] = 0;
    mostNegative[11] = 0x80;  // height INT32_MIN
    HeadlessAddResource("NEG", "BITMAP", mostNegative);
    EXPECT_EQ(LoadSheetBitmap("NEG", 640, 460), 0);

    EXPECT_TRUE(SheetUntouched());
}

TEST_F(SheetLoadTest, TheRecognisableSheetLoadsPixelForPixel) {
    InstallRecognisableSheet();
    const std::vector<uint8_t> pixels = RecognisableSheetPixels();
    EXPECT_EQ(std::memcmp(SpriteSheet, pixels.data(), pixels.size()), 0);
    EXPECT_EQ(Sheet(0, 460), Untouched) << "the rows below the bitmap are never loaded";
}

}  // namespace
