// SPDX-License-Identifier: MIT
#include "tools/map/map_text.h"

#include "files/map_file.h"

std::string MapText(const std::string& name, const Field& field, int32_t mines) {
    std::string text = name + "," + std::to_string(field.width) + "," +
                       std::to_string(field.height) + "," + std::to_string(mines) + ",\n";
    bool nextPlayable = true;  // the kind of the next run in the file
    for (int32_t y = 0; y < field.height; ++y) {
        std::string row;
        int32_t x = 0;
        while (x < field.width) {
            const bool playable = field.Playable(x, y);
            if (playable != nextPlayable) {
                row += "0,";  // an empty run only switches the kind
                nextPlayable = playable;
            }
            int32_t length = 0;
            while (x < field.width && field.Playable(x, y) == playable) {
                ++length;
                ++x;
            }
            row += std::to_string(length) + ",";
            nextPlayable = !playable;
        }
        row.back() = '/';
        text += row + "\n";
    }
    return text;
}

bool CheckMapName(const std::string& name, std::string* problem) {
    if (name.empty()) {
        *problem = "the map needs a name (--name)";
        return false;
    }
    if (name.size() > MapNameCapacity - 1) {
        *problem = "the name \"" + name + "\" has " + std::to_string(name.size()) +
                   " characters; the game shows at most " + std::to_string(MapNameCapacity - 1);
        return false;
    }
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ',') {
            *problem = "the name \"" + name + "\" holds a comma, which would end it early";
            return false;
        }
        if (byte < 32 || byte > 126) {
            *problem =
                "the name holds a character the game cannot show; use letters, digits, "
                "blanks and punctuation";
            return false;
        }
    }
    return true;
}

bool CheckMineCount(const Field& field, int64_t mines, std::string* problem) {
    const int32_t playable = field.PlayableCount();
    if (playable == 0) {
        *problem = "the field has no playable cell";
        return false;
    }
    if (mines < 0 || mines >= playable) {
        *problem = std::to_string(mines) + " mines on " + std::to_string(playable) +
                   " playable cells: there must be fewer mines than playable cells";
        return false;
    }
    return true;
}
