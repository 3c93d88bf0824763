// SPDX-License-Identifier: MIT
// torvex-no-guess-report: how often games without a guess can be made on
// maps, as a table for the README.
//
//   torvex-no-guess-report [TRIES] [MAP.tvm ...]
//
// For each map (by default every shipped map) it deals TRIES games (100 by
// default) from the seeds 1 to TRIES, opens each first at the cell the view
// starts on and lays it out as torvex --no-guess does: how many the solver
// then clears from the opening, how many have every starting area free of
// mines, how many tries the work limit or the clock ended, and the median
// and longest time a layout took on the wall clock.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "board/board.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "tools/map/map_check.h"

int main(int argc, char** argv) {
    int32_t tries = 100;
    int next = 1;
    if (next < argc && std::atoi(argv[next]) > 0)
        tries = std::atoi(argv[next++]);
    std::vector<std::string> maps(argv + next, argv + argc);
    if (maps.empty()) {
        for (const auto& item :
             std::filesystem::directory_iterator(std::string(TORVEX_SOURCE_DIR) + "/maps")) {
            if (item.path().extension() == ".tvm")
                maps.push_back(item.path().string());
        }
        std::sort(maps.begin(), maps.end());
    }

    std::printf(
        "| Map | Size | Mines | Solved | Starting areas clear | Work limit | Clock | "
        "Median | Longest |\n|---|---|---|---|---|---|---|---|---|\n");
    for (const std::string& map : maps) {
        HeadlessReset();
        ResetGame();
        const MapReadReport report = ReadMapFromPath(map.c_str());
        if (!report.playable) {
            std::fprintf(stderr, "%s: %s\n", map.c_str(), report.problem.c_str());
            return 1;
        }
        const std::string name = MapName;
        const int32_t width = BoardWidth;
        const int32_t height = BoardHeight;
        const int32_t mines = MineCount;
        const NoGuessTrials trials = TryNoGuessLayouts(tries);
        std::printf("| %s | %d x %d | %d | %d of %d | %d | %d | %d | %.2f ms | %.1f ms |\n",
                    name.c_str(), width, height, mines, trials.solved, trials.tries,
                    trials.startsClear, trials.outOfWork, trials.outOfTime,
                    trials.medianMilliseconds, trials.longestMilliseconds);
        std::fflush(stdout);
    }
    return 0;
}
