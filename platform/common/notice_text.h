// SPDX-License-Identifier: MIT
// What a notice shows on the screen. A path can be thousands of characters
// long, and a box that shows it whole grows wider than any screen, with its
// button out of reach. So for display only, a line that long keeps its
// beginning and its end (the folder it starts in, the file's name) and
// loses its middle to an ellipsis. What is written to standard error or a
// log keeps the whole text.
#pragma once

#include <cstddef>
#include <string>

// The longest line a notice shows whole, in characters.
constexpr size_t LongestNoticeLine = 200;

// `text` with each line longer than `limit` characters shortened to exactly
// `limit` characters: its first half, "…", and its end. Characters are
// counted as UTF-8 sequences, and none is ever cut in two; bytes that are
// not valid UTF-8 count one each.
std::string ShortenLongLines(const std::string& text, size_t limit = LongestNoticeLine);
