// SPDX-License-Identifier: MIT
#include "tests/hardening/hostile_maps.h"

namespace {

// Repeats `unit` until the text is `bytes` long.
std::string Repeated(const std::string& unit, size_t bytes) {
    std::string text;
    text.reserve(bytes + unit.size());
    while (text.size() < bytes)
        text += unit;
    text.resize(bytes);
    return text;
}

const char* const LargestHeader = "Hostile,300,300,10,";

std::string EndlessName(size_t bytes) {
    return Repeated("A name that never ends ", bytes);
}

// Runs of 0 only switch the kind and cover no cell: the reader must read
// each once and stop at the end of the file, not loop on the last one.
std::string ZeroRuns(size_t bytes) {
    return LargestHeader + Repeated("0,", bytes);
}

// One number field of endless digits: the value must stay bounded.
std::string EndlessDigits(size_t bytes) {
    return LargestHeader + Repeated("9", bytes);
}

// A complete map and then only blanks, which the reader looks through to
// tell the player whether anything follows the last cell.
std::string TrailingBlanks(size_t bytes) {
    return std::string(LargestHeader) + "90000," + Repeated(" \n", bytes);
}

// Line breaks and letters inside the header's number fields, which the
// number reader skips byte by byte.
std::string NoiseInTheHeader(size_t bytes) {
    const std::string noise = Repeated("\r\nx y-", bytes / 3);
    return "Noisy," + noise + "300," + noise + "300," + noise + "10," + "90000,";
}

// Separators only: every field empty.
std::string SeparatorFlood(size_t bytes) {
    return "Flood,300,300,0," + Repeated(",/", bytes);
}

}  // namespace

const std::vector<HostileMap>& HostileMapFamilies() {
    static const std::vector<HostileMap> families = {
        {"endless name", EndlessName},
        {"zero runs", ZeroRuns},
        {"endless digits", EndlessDigits},
        {"trailing blanks", TrailingBlanks},
        {"noise in the header", NoiseInTheHeader},
        {"separator flood", SeparatorFlood},
    };
    return families;
}
