// SPDX-License-Identifier: MIT
// The map reader on files made to slow it down (see
// tests/hardening/hostile_maps.h), at sizes from 16 kB to 4 MB. Google
// Benchmark fits the times to a straight line in the size and reports the
// fit's error: a reader that did more than linear work in the file would
// show it as a large RMS.
#include <cstdio>

#include "app/main_loop.h"
#include "bench/bench_support.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "tests/hardening/hostile_maps.h"

namespace {

void BM_HostileMap(benchmark::State& state, const HostileMap& family) {
    HeadlessReset();
    ResetGame();
    const std::string text = family.make(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
        const double seconds = TimeOnce([&] { benchmark::DoNotOptimize(ReadMap(file)); });
        std::fclose(file);
        state.SetIterationTime(seconds);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}

// Registered at start-up, one series per family.
const bool Registered = [] {
    for (const HostileMap& family : HostileMapFamilies()) {
        benchmark::RegisterBenchmark(("BM_HostileMap/" + std::string(family.name)).c_str(),
                                     BM_HostileMap, family)
            ->RangeMultiplier(4)
            ->Range(1 << 14, 1 << 22)
            ->UseManualTime()
            ->Unit(benchmark::kMicrosecond)
            ->Complexity(benchmark::oN);
    }
    return true;
}();

}  // namespace
