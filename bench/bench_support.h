// Benchmarks report their time and, beside it, the ratio to a reference
// operation measured in the same run on the same machine, so a figure means
// something on any computer.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

// The median time of `run` over `repeats` calls, in seconds.
template <typename Operation>
double MedianSeconds(Operation run, int repeats = 101) {
    std::vector<double> times;
    times.reserve(repeats);
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double>(stop - start).count());
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
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
