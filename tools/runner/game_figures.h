// SPDX-License-Identifier: MIT
// The figures of a played game (torvex-headless --stats): map, result, time,
// 3BV, 3BV/s, clicks of each kind and efficiency.
#pragma once

#include <cstdint>
#include <string>

struct GameFigures {
    std::string map;
    std::string result;         // "won", "lost" or "unfinished"
    uint32_t milliseconds = 0;  // from the first press to the end, by the game's clock
    int32_t threeBV = 0;
    int32_t leftClicks = 0;
    int32_t rightClicks = 0;
    int32_t chords = 0;
};

// The figures of the game as it stands; `result` as the caller saw it end.
GameFigures TakeGameFigures(const std::string& result);

// One figure per line ("3BV: 17"), and the same as one JSON object.
std::string FiguresText(const GameFigures& figures);
std::string FiguresJson(const GameFigures& figures);
