// Reading pictures of fields: text art, PBM and PGM, 8-bit BMP. Each kind
// must give exactly the field drawn, and refuse what it cannot read exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/indexed_bitmap_file.h"
#include "tests/support/game_fixture.h"
#include "tools/map/picture.h"

namespace {

using Rows = std::vector<std::string>;

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

std::string FileBytes(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    std::string bytes;
    if (file == nullptr)
        return bytes;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        bytes += static_cast<char>(c);
    std::fclose(file);
    return bytes;
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
    return FileBytes(path);
}

TEST(TextArt, ReadsRowsAndToleratesLineEndings) {
    EXPECT_EQ(ReadRows(".##.\n####\n.##.\n"), Corners);
    EXPECT_EQ(ReadRows(".##.\n####\n.##."), Corners);          // no final line break
    EXPECT_EQ(ReadRows(".##.\r\n####\r\n.##.\r\n"), Corners);  // written on Windows
    EXPECT_EQ(ReadRows(".##.\n####\n.##.\n\n\n"), Corners);    // blank lines after the last row
    EXPECT_EQ(ReadRows("#"), Rows{"#"});
}

TEST(TextArt, NamesTheLineAndColumnOfAStrangeCharacter) {
    EXPECT_EQ(RefusalOf("####\n##x#\n"),
              "line 2, column 3: 'x' is neither '#' (a playable cell) nor '.' (a Void cell)");
    EXPECT_NE(RefusalOf("## #\n").find("line 1, column 3: ' '"), std::string::npos);
    EXPECT_NE(RefusalOf("#\t#\n").find("the byte 9"), std::string::npos);
    EXPECT_NE(RefusalOf("*#\n").find("'*'"), std::string::npos);  // mines are not drawn
}

TEST(TextArt, RefusesRaggedRowsAndBlankLinesBetweenRows) {
    EXPECT_EQ(RefusalOf("####\n###\n"),
              "line 2 has 3 cells but line 1 has 4: every row must be as wide as the first");
    EXPECT_NE(RefusalOf("##\n\n##\n").find("line 2 has 0 cells"), std::string::npos);
}

TEST(TextArt, RefusesEmptyAndOversizedFields) {
    EXPECT_EQ(RefusalOf(""), "the text art has no rows");
    EXPECT_EQ(RefusalOf("\n\n"), "the text art has no rows");
    EXPECT_NE(RefusalOf(std::string(301, '#') + "\n").find("301 x 1"), std::string::npos);
    std::string tall;
    for (int i = 0; i < 301; ++i)
        tall += "#\n";
    EXPECT_EQ(RefusalOf(tall), "the text art has 301 rows; a map has 1 to 300");
    // Blank lines end the art only when nothing follows them.
    EXPECT_NE(RefusalOf("##\n" + std::string(2000, '\n') + "##\n").find("rows"), std::string::npos);
    EXPECT_NE(RefusalOf("##\n" + std::string(20, '\n') + "##\n").find("line 2 has 0 cells"),
              std::string::npos);
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
    EXPECT_NE(RefusalOf("P6 1 1 255\n\xff\xff\xff").find("colour"), std::string::npos);
    EXPECT_NE(RefusalOf("P3 1 1 255 0 0 0").find("colour"), std::string::npos);
    EXPECT_NE(RefusalOf("P7\n").find("not a PBM or PGM"), std::string::npos);
    EXPECT_NE(RefusalOf("P1\n").find("width and height"), std::string::npos);
    EXPECT_NE(RefusalOf("P1 0 5\n").find("0 x 5 pixels"), std::string::npos);
    EXPECT_NE(RefusalOf("P1 301 1\n").find("301 x 1 pixels"), std::string::npos);
    EXPECT_NE(RefusalOf("P1 99999999999 1\n").find("width and height"), std::string::npos);
    EXPECT_NE(RefusalOf("P1 2 2 1 0 1\n").find("pixel (1, 1)"), std::string::npos);
    EXPECT_NE(RefusalOf("P1 2 1 1 2\n").find("pixel (1, 0)"), std::string::npos);
    EXPECT_NE(RefusalOf("P2 2 1 255 0 256\n").find("above the grey maximum"), std::string::npos);
    EXPECT_NE(RefusalOf("P2 2 1 0 0 0\n").find("grey maximum"), std::string::npos);
    EXPECT_NE(RefusalOf("P4 8 2\n\xff").find("ends before its last pixel"), std::string::npos);
    EXPECT_NE(RefusalOf("P5 2 1 9\n\x01\x0a").find("above the grey maximum"), std::string::npos);
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
    put(14 + 40 + 8 + 8, 4);
    put(0, 4);
    put(14 + 40 + 8, 4);
    put(40, 4);
    put(3, 4);
    put(static_cast<uint32_t>(-2), 4);
    put(1, 2);
    put(8, 2);
    put(0, 4);
    put(8, 4);
    put(0, 4);
    put(0, 4);
    put(2, 4);
    put(0, 4);
    put(0x00FFFFFF, 4);                         // white
    put(0x00000000, 4);                         // black
    bmp += std::string("\x01\x00\x01\x00", 4);  // top row, padded to 4 bytes
    bmp += std::string("\x00\x01\x00\x00", 4);
    EXPECT_EQ(ReadRows(bmp), (Rows{"#.#", ".#."}));

    std::string outside = bmp;
    outside[14 + 40 + 8 + 1] = 2;  // a colour the two-entry table does not have
    EXPECT_EQ(RefusalOf(outside), "pixel (1, 0) uses colour 2 but the colour table has only 2");
}

TEST(Bmp, RefusesOtherDepthsCompressionAndDamage) {
    const std::string good = BmpOf({{1, 0}, {0, 1}});
    std::string deep = good;
    deep[28] = 24;
    EXPECT_NE(RefusalOf(deep).find("24 bits per pixel"), std::string::npos);
    std::string packed = good;
    packed[30] = 1;  // RLE8
    EXPECT_NE(RefusalOf(packed).find("compressed"), std::string::npos);
    EXPECT_NE(RefusalOf(good.substr(0, good.size() - 1)).find("ends before its last pixel"),
              std::string::npos);
    EXPECT_NE(RefusalOf(good.substr(0, 30)).find("not a BMP"), std::string::npos);
    std::string huge = good;
    huge[19] = 0x10;  // width 4098
    EXPECT_NE(RefusalOf(huge).find("pixels, one cell each"), std::string::npos);
    std::string old = good;
    old[14] = 12;  // the old OS/2 header
    EXPECT_NE(RefusalOf(old).find("old or unknown"), std::string::npos);
}

TEST(Picture, TellsTheKindByTheFirstBytesNotTheName) {
    const std::string folder = TemporaryFolder();
    const std::string path = folder + "/looks-like-text.txt";
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("P1 2 1 1 0\n", file);
    std::fclose(file);
    Field field;
    std::string problem;
    ASSERT_TRUE(ReadPicture(path, &field, &problem)) << problem;
    EXPECT_EQ(field.Rows(), Rows{"#."});
    EXPECT_FALSE(ReadPicture(folder + "/missing.txt", &field, &problem));
    EXPECT_EQ(problem, "cannot open the picture " + folder + "/missing.txt");
}

}  // namespace
