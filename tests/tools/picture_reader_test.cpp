// SPDX-License-Identifier: MIT
// Reading pictures of fields: text art, PBM and PGM, 8-bit BMP. Each kind
// must give exactly the field drawn, and refuse what it cannot read exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/indexed_bitmap_file.h"
#include "tests/support/game_fixture.h"
#include "tests/tools/tool_test_support.h"
#include "tools/map/picture.h"

namespace {

const Rows Corners = {".##.", "####", ".##."};

Rows ReadRows(const std::string& bytes) {
    Field field;
    std::string problem;
    EXPECT_TRUE(ReadPictureBytes(bytes, &field, &problem)) << problem;
    return field.Rows();
}

std::string RefusalOf(const std::string& bytes) {
    Field field;
    std::string problem;
    EXPECT_FALSE(ReadPictureBytes(bytes, &field, &problem));
    EXPECT_FALSE(problem.empty());
    return problem;
}

// An 8-bit BMP through the project's own writer: index 0 white, 1 black,
// 2 dark blue, 3 pale yellow; the rest of the palette grey.
std::string BmpOf(const std::vector<std::vector<uint8_t>>& indices) {
    std::vector<PaletteEntry> palette(256, PaletteEntry{128, 128, 128, 0});
    palette[0] = {255, 255, 255, 0};
    palette[1] = {0, 0, 0, 0};
    palette[2] = {10, 20, 90, 0};
    palette[3] = {250, 240, 160, 0};
    std::vector<uint8_t> pixels;
    for (const auto& row : indices)
        pixels.insert(pixels.end(), row.begin(), row.end());
    const std::string path = TemporaryFolder() + "/picture.bmp";
    EXPECT_TRUE(WriteIndexedBitmapFile(path, pixels.data(), static_cast<int>(indices[0].size()),
                                       static_cast<int>(indices.size()), palette.data()));
    return ReadWholeFile(path);
}

TEST(TextArt, ReadsRowsAndToleratesLineEndings) {
    EXPECT_EQ(ReadRows(".##.\n####\n.##.\n"), Corners);
    EXPECT_EQ(ReadRows(".##.\n####\n.##."), Corners);          // no final line break
    EXPECT_EQ(ReadRows(".##.\r\n####\r\n.##.\r\n"), Corners);  // written on Windows
    EXPECT_EQ(ReadRows(".##.\n####\n.##.\n\n\n"), Corners);    // blank lines after the last row
    EXPECT_EQ(ReadRows("#"), Rows{"#"});
}

TEST(TextArt, RefusesStrangeCharactersRaggedRowsAndEmptyOrOversizedFields) {
    std::string tall;
    for (int i = 0; i < 301; ++i)
        tall += "#\n";
    const std::pair<std::string, std::string> exactly[] = {
        {"####\n##x#\n",
         "line 2, column 3: 'x' is neither '#' (a playable cell) nor '.' (a Void cell)"},
        {"####\n###\n",
         "line 2 has 3 cells but line 1 has 4: every row must be as wide as the first"},
        {"", "the text art has no rows"},
        {"\n\n", "the text art has no rows"},
        {tall, "the text art has 301 rows; a map has 1 to 300"},
    };
    for (const auto& [art, problem] : exactly)
        EXPECT_EQ(RefusalOf(art), problem);
    const std::pair<std::string, std::string> naming[] = {
        {"## #\n", "line 1, column 3: ' '"},
        {"#\t#\n", "the byte 9"},
        {"*#\n", "'*'"},  // mines are not drawn
        {"##\n\n##\n", "line 2 has 0 cells"},
        {std::string(301, '#') + "\n", "301 x 1"},
        // Blank lines end the art only when nothing follows them.
        {"##\n" + std::string(2000, '\n') + "##\n", "rows"},
        {"##\n" + std::string(20, '\n') + "##\n", "line 2 has 0 cells"},
    };
    for (const auto& [art, problem] : naming)
        EXPECT_NE(RefusalOf(art).find(problem), std::string::npos) << problem;
    std::string largest;
    for (int i = 0; i < 300; ++i)
        largest += std::string(300, '.') + "\n";
    EXPECT_EQ(ReadRows(largest).size(), 300u);
}

TEST(Netpbm, ReadsPlainAndRawBlackAndWhite) {
    // 1 is black, and black is playable; digits of P1 need no blanks between them.
    EXPECT_EQ(ReadRows("P1\n# the Corners field\n4 3\n0 1 1 0\n1 1 1 1\n0110\n"), Corners);
    // P4 packs eight pixels a byte, each row padded to whole bytes.
    const std::string raw = std::string("P4\n4 3\n") + static_cast<char>(0x60) +
                            static_cast<char>(0xF0) + static_cast<char>(0x6F);
    EXPECT_EQ(ReadRows(raw), Corners);
    std::string wide = "P4 10 1\n";
    wide += static_cast<char>(0x80);
    wide += static_cast<char>(0x40);  // pixels 0 and 9 black
    EXPECT_EQ(ReadRows(wide), Rows{"#........#"});
}

TEST(Netpbm, ReadsGreyAndCallsDarkerThanMiddleGreyPlayable) {
    EXPECT_EQ(ReadRows("P2\n4 3\n255\n255 0 127 200\n0 0 0 0\n128 10 20 255\n"),
              (Rows{".##.", "####", ".##."}));
    EXPECT_EQ(ReadRows("P2 3 1 1 0 1 0\n"), Rows{"#.#"});  // maximum 1: plain black and white
    std::string raw = "P5 3 1 255\n";
    raw += static_cast<char>(0);
    raw += static_cast<char>(127);
    raw += static_cast<char>(128);
    EXPECT_EQ(ReadRows(raw), Rows{"##."});
    std::string deep = "P5 2 1 65535\n";  // two bytes a pixel, high byte first
    deep += std::string("\x7f\xfe", 2) + std::string("\x80\x00", 2);
    EXPECT_EQ(ReadRows(deep), Rows{"#."});
}

TEST(Netpbm, RefusesWhatItCannotReadExactly) {
    const std::pair<std::string, std::string> refusals[] = {
        {"P6 1 1 255\n\xff\xff\xff", "colour"},
        {"P3 1 1 255 0 0 0", "colour"},
        {"P7\n", "not a PBM or PGM"},
        {"P1\n", "width and height"},
        {"P1 0 5\n", "0 x 5 pixels"},
        {"P1 301 1\n", "301 x 1 pixels"},
        {"P1 99999999999 1\n", "width and height"},
        {"P1 2 2 1 0 1\n", "pixel (1, 1)"},
        {"P1 2 1 1 2\n", "pixel (1, 0)"},
        {"P2 2 1 255 0 256\n", "above the grey maximum"},
        {"P2 2 1 0 0 0\n", "grey maximum"},
        {"P4 8 2\n\xff", "ends before its last pixel"},
        {"P5 2 1 9\n\x01\x0a", "above the grey maximum"},
    };
    for (const auto& [image, problem] : refusals)
        EXPECT_NE(RefusalOf(image).find(problem), std::string::npos) << problem;
}

TEST(Bmp, ReadsEightBitPicturesByBrightness) {
    EXPECT_EQ(ReadRows(BmpOf({{0, 1, 1, 0}, {1, 1, 1, 1}, {0, 1, 1, 0}})), Corners);
    // Dark blue is dark, pale yellow is light, middle grey (128) is light.
    EXPECT_EQ(ReadRows(BmpOf({{2, 3, 200, 1, 0}})), Rows{"#..#."});
}

TEST(Bmp, ReadsTopDownRowsAndShortColourTables) {
    // A hand-made top-down BMP (negative height) with a two-colour table.
    std::string bmp = "BM";
    auto put = [&bmp](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const std::pair<uint32_t, int> header[] = {
        {14 + 40 + 8 + 8, 4},
        {0, 4},
        {14 + 40 + 8, 4},  // file size, reserved, pixels' offset
        {40, 4},
        {3, 4},
        {static_cast<uint32_t>(-2), 4},  // header size, width, height
        {1, 2},
        {8, 2},
        {0, 4},
        {8, 4},
        {0, 4},
        {0, 4},  // planes, depth, uncompressed, ...
        {2, 4},
        {0, 4},
        {0x00FFFFFF, 4},
        {0, 4},  // two colours: white, black
    };
    for (const auto& [value, bytes] : header)
        put(value, bytes);
    bmp += std::string("\x01\x00\x01\x00", 4);  // top row, padded to 4 bytes
    bmp += std::string("\x00\x01\x00\x00", 4);
    EXPECT_EQ(ReadRows(bmp), (Rows{"#.#", ".#."}));

    std::string outside = bmp;
    outside[14 + 40 + 8 + 1] = 2;  // a colour the two-entry table does not have
    EXPECT_EQ(RefusalOf(outside), "pixel (1, 0) uses colour 2 but the colour table has only 2");
}

TEST(Bmp, RefusesOtherDepthsCompressionAndDamage) {
    const std::string good = BmpOf({{1, 0}, {0, 1}});
    const struct {
        size_t at;
        char value;
        const char* problem;
    } damage[] = {
        {28, 24, "24 bits per pixel"},
        {30, 1, "compressed"},                // RLE8
        {19, 0x10, "pixels, one cell each"},  // width 4098
        {14, 12, "old or unknown"},           // the old OS/2 header
    };
    for (const auto& d : damage) {
        std::string bad = good;
        bad[d.at] = d.value;
        EXPECT_NE(RefusalOf(bad).find(d.problem), std::string::npos) << d.problem;
    }
    EXPECT_NE(RefusalOf(good.substr(0, good.size() - 1)).find("ends before its last pixel"),
              std::string::npos);
    EXPECT_NE(RefusalOf(good.substr(0, 30)).find("not a BMP"), std::string::npos);
}

}  // namespace
