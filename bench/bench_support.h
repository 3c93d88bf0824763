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

// For operations long and varied enough to time one by one: each iteration
// times the reference and then the operation, back to back, so a change in
// the machine's load falls on both. `reference` and `measure` each do any
// untimed preparation themselves and return the seconds of the measured
// part. Reports the medians (median_us, reference_us) and their ratio
// (x_reference); the iteration time is the operation's own.
template <typename Reference, typename Measure>
void RunInterleavedWithReference(benchmark::State& state, Reference reference, Measure measure) {
    std::vector<double> references;
    std::vector<double> times;
    for (auto _ : state) {
        references.push_back(reference());
        times.push_back(measure());
        state.SetIterationTime(times.back());
    }
    const auto median = [](std::vector<double> values) {
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        return values[values.size() / 2];
    };
    const double referenceSeconds = median(references);
    const double seconds = median(times);
    state.counters["median_us"] = seconds * 1e6;
    state.counters["reference_us"] = referenceSeconds * 1e6;
    state.counters["x_reference"] = seconds / referenceSeconds;
}
