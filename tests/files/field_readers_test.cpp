// SPDX-License-Identifier: MIT
// The field readers and writers both files share, and the two text helpers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "files/fields.h"
#include "files/settings.h"
#include "tests/files/file_text.h"

namespace {

// Reads text fields until the file ends: each as "[text]", then "E" when the
// file ended before the comma.
std::string ReadAllTextFields(const std::string& contents, size_t capacity = FieldCapacity) {
    FilePointer file = TextAsFile(contents);
    std::string fields;
    char buffer[FieldCapacity];
    for (int result = 0, guard = 0; result == 0 && guard < 20; ++guard) {
        result = ReadTextField(file.get(), buffer, capacity);
        fields += std::string("[") + buffer + "]" + (result == 0 ? "" : "E");
    }
    return fields;
}

// Reads number fields until the file ends; a value the last read stored
// instead of leaving it alone would show before "end".
std::string ReadAllNumberFields(const std::string& contents) {
    FilePointer file = TextAsFile(contents);
    std::string values;
    int32_t value = -5;
    for (int guard = 0; guard < 20 && ReadNumberField(file.get(), &value) == 0; ++guard) {
        values += std::to_string(value) + " ";
        value = -5;
    }
    return values + "end(" + std::to_string(value) + ")";
}

TEST(FieldReaders, TextFieldsKeepEverythingUpToTheCommaButControlBytes) {
    const std::pair<std::string, std::string> cases[] = {
        {"  Big\r\n Map\n,x", "[  Big Map][x]E"},
        {"a/b,c\td,", "[a/b][cd][]E"},
        // Byte 31 is kept, 30 and below dropped; bytes above 127 are kept as they are.
        {std::string("\x1f\x1e\x01\xe9,", 5), "[\x1f\xe9][]E"},
        {std::string("a\0b,", 4), "[ab][]E"},
        {"", "[]E"},
        // An over-long field is cut, but its end is still found.
        {std::string(255, 'x') + "yyy,z,", "[" + std::string(255, 'x') + "][z][]E"},
    };
    for (const auto& [contents, fields] : cases)
        EXPECT_EQ(ReadAllTextFields(contents), fields) << contents;
    EXPECT_EQ(ReadAllTextFields("abcdefgh,ij,", 4), "[abc][ij][]E");
}

TEST(FieldReaders, NumberFieldsTakeTheDigitsInOrderAndSaturate) {
    const std::pair<const char*, const char*> cases[] = {
        {"1 2,-7,,a3b/\n40\r\n/", "12 7 0 3 40 end(-5)"},
        {"0007,", "7 end(-5)"},
        {"12,34", "12 end(-5)"},  // nothing stored when the file cuts a number off
        {"", "end(-5)"},
        {"2147483647,2147483648,99999999999999999999,", "2147483647 2147483647 2147483647 end(-5)"},
        {"2147483646,214748364 9,", "2147483646 2147483647 end(-5)"},
        {"000000000000002147483640,", "2147483640 end(-5)"},
    };
    for (const auto& [contents, values] : cases)
        EXPECT_EQ(ReadAllNumberFields(contents), values) << contents;
}

TEST(FieldWriters, WriteDigitsAndTextEachFollowedByACommaAndReportAFailedWrite) {
    FilePointer file(std::tmpfile());
    ASSERT_TRUE(file);
    for (const int32_t value : {0, 7, 10, 999999, 2147483647, -42})
        EXPECT_EQ(WriteNumberField(file.get(), value), 0);
    EXPECT_EQ(WriteTextField(file.get(), "? ON"), 0);
    EXPECT_EQ(WriteTextField(file.get(), ""), 0);
    std::rewind(file.get());
    char contents[80] = {};
    std::fread(contents, 1, sizeof(contents) - 1, file.get());
    EXPECT_STREQ(contents, "0,7,10,999999,2147483647,0,? ON,,");

    FilePointer full(std::fopen("/dev/full", "w"));
    ASSERT_TRUE(full);
    std::setvbuf(full.get(), nullptr, _IONBF, 0);  // every byte reaches the device at once
    EXPECT_EQ(WriteTextField(full.get(), "SOUND ON"), -1);
    EXPECT_EQ(WriteTextField(full.get(), ""), -1);
    EXPECT_EQ(WriteNumberField(full.get(), 12), -1);
}

TEST(TextHelpers, KeywordsMatchInFullOrByABeginningAndCopiesAreCut) {
    for (const char* text : {"SOUND ON", "SOUND", ""})
        EXPECT_EQ(MatchesKeyword(text, "SOUND ON"), 1) << text;
    for (const char* text : {"SOUND OFF", "SOUND ON!", "sound on"})
        EXPECT_EQ(MatchesKeyword(text, "SOUND ON"), 0) << text;

    char destination[8];
    std::memset(destination, '#', sizeof(destination));
    EXPECT_EQ(CopyText("abcdefghijk", destination, 5), 4u);
    EXPECT_STREQ(destination, "abcd");
    EXPECT_EQ(destination[5], '#');  // nothing written past the given size
}

}  // namespace
