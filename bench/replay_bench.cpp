// SPDX-License-Identifier: MIT
// What recording a replay costs a pass of the game's loop: a hundred passes
// of a game just started (the pointer moving on every one) while it is
// recorded. Reference: the same hundred passes of the same game, not
// recorded, measured in turn with them.
#include <cstdio>
#include <string>

#include "app/main_loop.h"
#include "app/replay_seam.h"
#include "bench/bench_support.h"
#include "platform/headless/headless.h"

namespace {

constexpr int PassesPerRun = 100;

// A fresh game on a 30 x 16 field, started with F1; recorded when `folder`
// is not empty.
void StartGame(const std::string& folder) {
    HeadlessReset();
    ResetGame();
    ReplayFolder = folder;
    const char* map = "/tmp/torvex-replay-bench.tvm";
    if (FILE* file = std::fopen(map, "w")) {
        std::fputs("Bench,30,16,99,480,", file);
        std::fclose(file);
    }
    StartUpGame(map);
    HeadlessPostInput(WM_KEYDOWN, VK_F1);
    RunMainLoopPass();
}

void RunPasses() {
    for (int n = 0; n < PassesPerRun; ++n) {
        HeadlessMovePointer(n % 5 - 2, n % 3 - 1);
        HeadlessAdvanceTicks(16 + n % 3 / 2);
        RunMainLoopPass();
    }
}

// Each run starts both games afresh, the same game, so the two measure the
// very same passes, one recorded and one not, in turn.
void BM_RecordedPasses(benchmark::State& state) {
    double plain = 0;
    double recorded = 0;
    for (auto _ : state) {
        StartGame("");
        plain += TimeOnce(RunPasses);
        StartGame("/tmp/torvex-replay-bench");
        const double seconds = TimeOnce(RunPasses);
        recorded += seconds;
        state.SetIterationTime(seconds);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["reference_us"] = plain / runs * 1e6;
    state.counters["x_reference"] = recorded / plain;
}
BENCHMARK(BM_RecordedPasses)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

}  // namespace
