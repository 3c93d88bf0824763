// SPDX-License-Identifier: MIT
// Saving the settings, as the game does in the frame where a new best time
// is stored or its holder's name is finished: a new file beside the old one,
// flushed to the disk, renamed over it, and the folder flushed.
// Reference: writing the same bytes with a plain fopen, fputs and fclose,
// nothing flushed. Both are wall-clock times (the flush waits for the disk,
// which a CPU time would not see), in a folder made in the current folder,
// so run it where a player keeps maps:
//   cd ~/maps && ~/torvex/build/bench/torvex-bench --benchmark_filter=Save
// `frame_share` is the save's mean time over the 16.7 ms of a 60 Hz frame.
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "bench/bench_support.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "state/options.h"

namespace {

double WallSeconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void BM_SaveSettings(benchmark::State& state) {
    HeadlessReset();
    ResetGame();
    char folderName[] = "torvex-save-bench-XXXXXX";
    if (mkdtemp(folderName) == nullptr) {
        state.SkipWithError("cannot make a folder here");
        return;
    }
    const std::string folder = std::filesystem::absolute(folderName).string();
    const std::string settings = folder + "/field.tvh";
    std::snprintf(MapPath, sizeof(MapPath), "%s/field.tvm", folder.c_str());
    std::snprintf(SettingsPath, sizeof(SettingsPath), "%s", settings.c_str());
    HighScore = 87;
    std::snprintf(HighScoreName, sizeof(HighScoreName), "ACE");
    SaveSettings();  // the file exists from here on, as after a first game

    const std::string plain = folder + "/plain.tvh";
    const char* bytes = "? ON,SOUND ON,ANIMATION ON,87,ACE,,";
    std::vector<double> plainTimes;
    for (int i = 0; i < 51; ++i) {
        const double start = WallSeconds();
        FILE* file = std::fopen(plain.c_str(), "w");
        std::fputs(bytes, file);
        std::fclose(file);
        plainTimes.push_back(WallSeconds() - start);
    }
    std::nth_element(plainTimes.begin(), plainTimes.begin() + 25, plainTimes.end());
    const double reference = plainTimes[25];

    double longest = 0;
    double total = 0;
    RunAgainstReference(state, reference, [&] {
        const double start = WallSeconds();
        SaveSettings();
        const double seconds = WallSeconds() - start;
        longest = std::max(longest, seconds);
        total += seconds;
        return seconds;
    });
    const double mean = total / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    state.counters["longest_us"] = longest * 1e6;
    state.counters["frame_share"] = mean / (1.0 / 60.0);
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveSettings)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace
