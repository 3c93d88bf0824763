// SPDX-License-Identifier: MIT
#include "files/fields.h"

#include <cstdint>

namespace {

// Bytes below this value (control characters, line breaks, tabs) are never
// part of a text field: they are how people lay a file out, not what it says.
constexpr int FirstKeptByte = 31;

constexpr int32_t LargestNumber = 2147483647;

}  // namespace

int ReadTextField(FILE* file, char* buffer, size_t capacity) {
    // Without room for at least the terminator the field is still read to its
    // comma, so that the next field starts in the right place.
    size_t kept = 0;
    const size_t room = capacity > 0 ? capacity - 1 : 0;
    int result = -1;
    for (int byte = std::fgetc(file); byte != EOF; byte = std::fgetc(file)) {
        if (byte == ',') {
            result = 0;
            break;
        }
        if (byte < FirstKeptByte)
            continue;
        if (kept < room)
            buffer[kept++] = static_cast<char>(byte);
    }
    if (capacity > 0)
        buffer[kept] = '\0';
    return result;
}

int ReadNumberField(FILE* file, int32_t* value) {
    int32_t number = 0;
    for (int byte = std::fgetc(file); byte != EOF; byte = std::fgetc(file)) {
        if (byte == ',' || byte == '/') {
            *value = number;
            return 0;
        }
        if (byte < '0' || byte > '9')
            continue;
        const int32_t digit = byte - '0';
        // A number too large for the field stays at the largest one; every
        // limit the game checks lies far below it.
        number = number > (LargestNumber - digit) / 10 ? LargestNumber : number * 10 + digit;
    }
    return -1;
}

int MatchesKeyword(const char* text, const char* keyword) {
    for (size_t i = 0; text[i] != '\0'; ++i) {
        if (text[i] != keyword[i])
            return 0;  // also ends at the keyword's terminator
    }
    return 1;
}

size_t CopyText(const char* source, char* destination, size_t capacity) {
    if (capacity == 0)
        return 0;
    size_t copied = 0;
    while (copied + 1 < capacity && source[copied] != '\0') {
        destination[copied] = source[copied];
        ++copied;
    }
    destination[copied] = '\0';
    return copied;
}
