// SPDX-License-Identifier: MIT
#include "tools/runner/game_figures.h"

#include <cstdio>

#include "app/shell_state.h"
#include "board/clock.h"
#include "board/figures.h"
#include "files/map_file.h"
#include "tools/runner/state_dump.h"

namespace {

std::string Seconds(uint32_t milliseconds) {
    char text[32];
    std::snprintf(text, sizeof(text), "%u.%02u", milliseconds / 1000u, milliseconds % 1000u / 10u);
    return text;
}

std::string PerSecond(const GameFigures& figures) {
    char text[32];
    const double seconds = figures.milliseconds / 1000.0;
    std::snprintf(text, sizeof(text), "%.2f", seconds > 0 ? figures.threeBV / seconds : 0.0);
    return text;
}

// 3BV over every click, in whole per cent (0 with no click at all).
int32_t Efficiency(const GameFigures& figures) {
    const int32_t clicks = figures.leftClicks + figures.rightClicks + figures.chords;
    if (clicks == 0)
        return 0;
    return (200 * figures.threeBV + clicks) / (2 * clicks);
}

}  // namespace

GameFigures TakeGameFigures(const std::string& result) {
    GameFigures figures;
    figures.map = MapName;
    figures.result = result;
    figures.milliseconds = EndTick - StartTick;
    figures.threeBV = CountThreeBV();
    figures.leftClicks = LeftClicks;
    figures.rightClicks = RightClicks;
    figures.chords = Chords;
    return figures;
}

std::string FiguresText(const GameFigures& figures) {
    return "map: " + figures.map + "\nresult: " + figures.result +
           "\ntime: " + Seconds(figures.milliseconds) +
           "\n3BV: " + std::to_string(figures.threeBV) + "\n3BV/s: " + PerSecond(figures) +
           "\nleft clicks: " + std::to_string(figures.leftClicks) +
           "\nright clicks: " + std::to_string(figures.rightClicks) +
           "\nchords: " + std::to_string(figures.chords) +
           "\nefficiency: " + std::to_string(Efficiency(figures)) + "%\n";
}

std::string FiguresJson(const GameFigures& figures) {
    return "{\"map\": " + JsonString(figures.map.c_str()) + ", \"result\": \"" + figures.result +
           "\", \"time\": " + Seconds(figures.milliseconds) +
           ", \"3bv\": " + std::to_string(figures.threeBV) +
           ", \"3bv_per_second\": " + PerSecond(figures) +
           ", \"left_clicks\": " + std::to_string(figures.leftClicks) +
           ", \"right_clicks\": " + std::to_string(figures.rightClicks) +
           ", \"chords\": " + std::to_string(figures.chords) +
           ", \"efficiency\": " + std::to_string(Efficiency(figures)) + "}\n";
}
