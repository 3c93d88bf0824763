// SPDX-License-Identifier: MIT
// How long the passes of the main loop take in the browser, as its own
// clock (performance.now) measures them on the page's main thread. The page
// reports the figures; nothing here decides anything.
#pragma once

#include <cstddef>
#include <vector>

struct PassTimeSummary {
    size_t count = 0;
    double median = 0.0;           // milliseconds
    double slowest5Percent = 0.0;  // the 95th percentile
    double slowest = 0.0;
};

class PassTimes {
  public:
    // The figures cover the last `capacity` passes of each kind.
    explicit PassTimes(size_t capacity = 3600);

    // A pass of `milliseconds`; `drew` when it put a new picture on the page.
    void Add(double milliseconds, bool drew);

    PassTimeSummary Drawing() const;  // the passes that drew a picture
    PassTimeSummary All() const;

    void Clear();

  private:
    struct Recent {
        std::vector<double> times;
        size_t next = 0;
    };
    void Keep(Recent& recent, double milliseconds);
    static PassTimeSummary Summarise(const Recent& recent);

    size_t capacity_;
    Recent drawing_;
    Recent all_;
};
