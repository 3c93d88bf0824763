// SPDX-License-Identifier: MIT
// Benchmarks report their time and, beside it, the ratio to a reference
// operation measured in the same run on the same machine, so a figure means
// something on any computer.
//
// Times are the CPU time of the benchmarking thread, not the wall clock: the
// machines these run on are often shared, and a wall clock would count the
// time other programs held the core as ours.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <vector>

// The CPU time this thread has used so far, in seconds.
inline double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The median time of `run` over `repeats` calls, in seconds.
template <typename Operation>
double MedianSeconds(Operation run, int repeats = 101) {
    std::vector<double> times;
    times.reserve(repeats);
    for (int i = 0; i < repeats; ++i) {
        const double start = ThreadSeconds();
        run();
        times.push_back(ThreadSeconds() - start);
    }
    std::nth_element(times.begin(), times.begin() + repeats / 2, times.end());
    return times[repeats / 2];
}

// Runs the benchmark loop timing each iteration with `measure` (which does
// any untimed preparation itself and returns the seconds of the measured
// part), and reports the mean as the iteration time and as a ratio to
// `referenceSeconds`.
template <typename Measure>
void RunAgainstReference(benchmark::State& state, double referenceSeconds, Measure measure) {
    double total = 0;
    for (auto _ : state) {
        const double seconds = measure();
        state.SetIterationTime(seconds);
        total += seconds;
    }
    const double mean = total / static_cast<double>(state.iterations());
    state.counters["reference_us"] = referenceSeconds * 1e6;
    state.counters["x_reference"] = mean / referenceSeconds;
}

template <typename Operation>
double TimeOnce(Operation run) {
    const double start = ThreadSeconds();
    run();
    return ThreadSeconds() - start;
}
