// SPDX-License-Identifier: MIT
#include "platform/web/pass_times.h"

#include <algorithm>

PassTimes::PassTimes(size_t capacity) : capacity_(capacity > 0 ? capacity : 1) {}

void PassTimes::Keep(Recent& recent, double milliseconds) {
    if (recent.times.size() < capacity_) {
        recent.times.push_back(milliseconds);
        return;
    }
    recent.times[recent.next] = milliseconds;
    recent.next = (recent.next + 1) % capacity_;
}

void PassTimes::Add(double milliseconds, bool drew) {
    Keep(all_, milliseconds);
    if (drew)
        Keep(drawing_, milliseconds);
}

PassTimeSummary PassTimes::Summarise(const Recent& recent) {
    PassTimeSummary summary;
    if (recent.times.empty())
        return summary;
    std::vector<double> sorted = recent.times;
    std::sort(sorted.begin(), sorted.end());
    // The nearest-rank percentile: the smallest time that at least that
    // share of the passes took no longer than.
    const auto rank = [&sorted](size_t percent) {
        const size_t index = (sorted.size() * percent + 99) / 100;
        return sorted[index == 0 ? 0 : index - 1];
    };
    summary.count = sorted.size();
    summary.median = rank(50);
    summary.slowest5Percent = rank(95);
    summary.slowest = sorted.back();
    return summary;
}

PassTimeSummary PassTimes::Drawing() const {
    return Summarise(drawing_);
}

PassTimeSummary PassTimes::All() const {
    return Summarise(all_);
}

void PassTimes::Clear() {
    drawing_ = Recent();
    all_ = Recent();
}
