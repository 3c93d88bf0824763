// SPDX-License-Identifier: MIT
// How a notice's text is shortened for the screen: only lines too long for
// it, in their middle, by whole characters.
#include <gtest/gtest.h>

#include <string>

#include "platform/common/notice_text.h"

namespace {

const std::string Ellipsis = "\xE2\x80\xA6";

// Characters, counting each UTF-8 sequence once.
size_t Characters(const std::string& text) {
    size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

TEST(NoticeText, LinesUpToTheLimitAreShownWhole) {
    for (const std::string& text :
         {std::string(), std::string("bgm2"), std::string(200, 'a'),
          std::string(200, 'a') + "\n" + std::string(200, 'b'), std::string("\n\n")}) {
        EXPECT_EQ(ShortenLongLines(text), text);
    }
}

TEST(NoticeText, ALongLineKeepsItsStartAndEndAndTheOtherLines) {
    const std::string path = "/home/player/" + std::string(4000, 'd') + "/far away.tvm";
    const std::string shown = ShortenLongLines(path + "\nThe file does not exist.");
    const size_t lineEnd = shown.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    const std::string line = shown.substr(0, lineEnd);
    EXPECT_EQ(Characters(line), LongestNoticeLine);
    EXPECT_EQ(line.substr(0, 100), path.substr(0, 100));
    EXPECT_EQ(line.substr(100, Ellipsis.size()), Ellipsis);
    EXPECT_EQ(line.substr(100 + Ellipsis.size()), path.substr(path.size() - 99));
    EXPECT_EQ(shown.substr(lineEnd), "\nThe file does not exist.");

    // One character over is shortened too, to the same length.
    EXPECT_EQ(Characters(ShortenLongLines(std::string(201, 'x'))), LongestNoticeLine);
}

TEST(NoticeText, CharactersOfSeveralBytesAreNeverCutInTwo) {
    // Two- three- and four-byte characters, and bytes that are no text.
    for (const std::string piece : {"д", "€", "\xF0\x9F\x92\xA3", "\xFF"}) {
        std::string line;
        for (int i = 0; i < 300; ++i)
            line += piece;
        const std::string shown = ShortenLongLines(line);
        const size_t at = shown.find(Ellipsis);
        ASSERT_NE(at, std::string::npos) << piece;
        // Both sides are made of whole pieces.
        EXPECT_EQ(at % piece.size(), 0u) << piece;
        EXPECT_EQ((shown.size() - at - Ellipsis.size()) % piece.size(), 0u) << piece;
        EXPECT_LE(shown.size(), LongestNoticeLine * 4);
    }
    // Counted as characters, a line of 150 four-byte characters (600 bytes)
    // fits and stays whole.
    std::string fits;
    for (int i = 0; i < 150; ++i)
        fits += "\xF0\x9F\x92\xA3";
    EXPECT_EQ(ShortenLongLines(fits), fits);
}

}  // namespace
