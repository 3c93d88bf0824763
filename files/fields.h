// SPDX-License-Identifier: MIT
// The field readers shared by the map file and the settings file, and two
// small text helpers. Both files are sequences of fields, each ended by a
// separator; line breaks may stand anywhere because the readers skip them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Working buffer for one text field: 255 characters and the terminator.
constexpr size_t FieldCapacity = 256;

// Reads a text field: every byte up to the next ',' (consumed, not kept).
// Bytes 0..30 are dropped; everything else is kept as it is, spaces and '/'
// included. At most capacity - 1 bytes are kept; the rest of an over-long
// field is read and dropped. Returns 0, or -1 when the file ended before the
// comma (the buffer then holds what was read).
int ReadTextField(FILE* file, char* buffer, size_t capacity);

// Reads a number field: every byte up to the next ',' or '/' (consumed). The
// value is made of its decimal digits in order, everything else ignored; no
// digits is 0; a value past 2147483647 stays at 2147483647. Returns 0, or -1
// when the file ended before a separator, in which case nothing is stored.
int ReadNumberField(FILE* file, int32_t* value);

// 1 when `text` is `keyword` or a beginning of it (case counts), else 0.
int MatchesKeyword(const char* text, const char* keyword);

// Copies a NUL-terminated text with its terminator, cut to capacity - 1
// characters. Returns the number of characters copied.
size_t CopyText(const char* source, char* destination, size_t capacity);
