// SPDX-License-Identifier: MIT
// Picking the holder's name of a new best time on a grid of characters.
#pragma once

#include <cstdint>

constexpr int32_t LetterGridColumns = 26;
constexpr int32_t LetterGridRows = 3;  // the END row below them has no characters
constexpr int32_t EndRow = 3;
constexpr int32_t MaxNameLength = 10;

// 78 characters, three rows of 26: capitals, small letters, digits and signs.
extern const char LetterGrid[LetterGridRows * LetterGridColumns + 1];
extern int32_t NameLength;  // characters of the name entered so far, 0..10

// Left press: adds the selected character, or finishes on the END row.
void AddNameCharacter();
// Right press: removes the last character.
void DeleteNameCharacter();
