// SPDX-License-Identifier: MIT
// Text art: the simplest picture of a field, written in any text editor.
#include <algorithm>
#include <vector>

#include "board/board.h"
#include "tools/map/picture.h"

namespace {

std::string Printable(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte < 127)
        return std::string("'") + c + "'";
    return "the byte " + std::to_string(byte);
}

std::string Where(size_t line, size_t column) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace

bool ReadTextArt(const std::string& text, Field* field, std::string* problem) {
    // Blank lines after the last row are a common leftover of editing, not rows.
    size_t length = text.size();
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r'))
        --length;
    // Count the rows before splitting, so a huge file is refused unsplit.
    const int64_t rowCount =
        length == 0 ? 0 : std::count(text.begin(), text.begin() + length, '\n') + 1;
    if (rowCount > MaxBoardSide) {
        *problem = "the text art has " + std::to_string(rowCount) + " rows; a map has 1 to " +
                   std::to_string(MaxBoardSide);
        return false;
    }
    // Split into lines; a line may end in "\r\n" as well as "\n".
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < length) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos || end > length)
            end = length;
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    if (lines.empty()) {
        *problem = "the text art has no rows";
        return false;
    }
    if (!CheckFieldSize(static_cast<int64_t>(lines[0].size()), static_cast<int64_t>(lines.size()),
                        problem)) {
        return false;
    }

    *field = EmptyField(static_cast<int32_t>(lines[0].size()), static_cast<int32_t>(lines.size()));
    for (size_t y = 0; y < lines.size(); ++y) {
        const std::string& line = lines[y];
        for (size_t x = 0; x < line.size(); ++x) {
            const char c = line[x];
            if (c != '#' && c != '.') {
                *problem = Where(y + 1, x + 1) + ": " + Printable(c) +
                           " is neither '#' (a playable cell) nor '.' (a Void cell)";
                return false;
            }
        }
        if (line.size() != lines[0].size()) {
            *problem = "line " + std::to_string(y + 1) + " has " + std::to_string(line.size()) +
                       " cells but line 1 has " + std::to_string(lines[0].size()) +
                       ": every row must be as wide as the first";
            return false;
        }
        for (size_t x = 0; x < line.size(); ++x) {
            field->cells[y * line.size() + x] = line[x] == '#' ? 1 : 0;
        }
    }
    return true;
}
