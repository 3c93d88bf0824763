// The field readers both files share, and the two text helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files/fields.h"
#include "tests/files/file_text.h"

namespace {

// Reads text fields until the file ends; the texts, and the result of each read.
struct TextFields {
    std::string texts;
    std::string results;
};

TextFields ReadAllTextFields(const std::string& contents, size_t capacity = FieldCapacity) {
    FilePointer file = TextAsFile(contents);
    TextFields fields;
    char buffer[FieldCapacity];
    for (int guard = 0; guard < 20; ++guard) {
        const int result = ReadTextField(file.get(), buffer, capacity);
        fields.texts += std::string("[") + buffer + "]";
        fields.results += result == 0 ? "0" : "E";
        if (result != 0)
            break;
    }
    return fields;
}

std::string ReadAllNumberFields(const std::string& contents) {
    FilePointer file = TextAsFile(contents);
    std::string values;
    for (int guard = 0; guard < 20; ++guard) {
        int32_t value = -5;
        if (ReadNumberField(file.get(), &value) != 0) {
            values += "end(" + std::to_string(value) + ")";
            break;
        }
        values += std::to_string(value) + " ";
    }
    return values;
}

TEST(TextField, KeepsEverythingUpToTheCommaButControlBytes) {
    EXPECT_EQ(ReadAllTextFields("  Big\r\n Map\n,x").texts, "[  Big Map][x]");
    EXPECT_EQ(ReadAllTextFields("a/b,c\td,").texts, "[a/b][cd][]");
    // Byte 31 is kept, 30 and below dropped; bytes above 127 are kept as they are.
    EXPECT_EQ(ReadAllTextFields(std::string("\x1f\x1e\x01\xe9,", 5)).texts,
              std::string("[\x1f\xe9][]"));
    EXPECT_EQ(ReadAllTextFields(std::string("a\0b,", 4)).texts, "[ab][]");
}

TEST(TextField, TellsWhenTheFileEndsBeforeTheComma) {
    EXPECT_EQ(ReadAllTextFields("one,two").texts, "[one][two]");
    EXPECT_EQ(ReadAllTextFields("one,two").results, "0E");
    EXPECT_EQ(ReadAllTextFields("one,").results, "0E");
    EXPECT_EQ(ReadAllTextFields("").texts, "[]");
    EXPECT_EQ(ReadAllTextFields("").results, "E");
}

TEST(TextField, CutsAnOverLongFieldButStillFindsItsEnd) {
    EXPECT_EQ(ReadAllTextFields("abcdefgh,ij,", 4).texts, "[abc][ij][]");
    const std::string longest(255, 'x');
    EXPECT_EQ(ReadAllTextFields(longest + "yyy,z,").texts, "[" + longest + "][z][]");
}

TEST(NumberField, TakesOnlyTheDigitsInOrder) {
    EXPECT_EQ(ReadAllNumberFields("1 2,-7,,a3b/\n40\r\n/"), "12 7 0 3 40 end(-5)");
    EXPECT_EQ(ReadAllNumberFields("0007,"), "7 end(-5)");
}

TEST(NumberField, StoresNothingWhenTheFileCutsItOff) {
    EXPECT_EQ(ReadAllNumberFields("12,34"), "12 end(-5)");
    EXPECT_EQ(ReadAllNumberFields(""), "end(-5)");
}

TEST(NumberField, SaturatesInsteadOfOverflowing) {
    EXPECT_EQ(ReadAllNumberFields("2147483647,2147483648,99999999999999999999,"),
              "2147483647 2147483647 2147483647 end(-5)");
    EXPECT_EQ(ReadAllNumberFields("2147483646,214748364 9,"), "2147483646 2147483647 end(-5)");
    EXPECT_EQ(ReadAllNumberFields("000000000000002147483640,"), "2147483640 end(-5)");
}

TEST(Keyword, MatchesTheKeywordOrABeginningOfIt) {
    EXPECT_EQ(MatchesKeyword("SOUND ON", "SOUND ON"), 1);
    EXPECT_EQ(MatchesKeyword("SOUND", "SOUND ON"), 1);
    EXPECT_EQ(MatchesKeyword("", "SOUND ON"), 1);
    EXPECT_EQ(MatchesKeyword("SOUND OFF", "SOUND ON"), 0);
    EXPECT_EQ(MatchesKeyword("SOUND ON!", "SOUND ON"), 0);
    EXPECT_EQ(MatchesKeyword("sound on", "SOUND ON"), 0);
    EXPECT_EQ(MatchesKeyword("X", ""), 0);
}

TEST(CopyText, CopiesWithTheTerminatorAndCutsToTheDestination) {
    char destination[8];
    std::memset(destination, '#', sizeof(destination));
    EXPECT_EQ(CopyText("abc", destination, sizeof(destination)), 3u);
    EXPECT_STREQ(destination, "abc");
    EXPECT_EQ(CopyText("", destination, sizeof(destination)), 0u);
    EXPECT_STREQ(destination, "");

    std::memset(destination, '#', sizeof(destination));
    EXPECT_EQ(CopyText("abcdefghijk", destination, 5), 4u);
    EXPECT_STREQ(destination, "abcd");
    EXPECT_EQ(destination[5], '#');  // nothing written past the given size
}

}  // namespace
