// SPDX-License-Identifier: MIT
// The figures the page reports about its passes.
#include <gtest/gtest.h>

#include "platform/web/pass_times.h"

namespace {

TEST(PassTimes, MedianPercentileAndSlowestOfEachKind) {
    PassTimes times;
    EXPECT_EQ(times.All().count, 0u);
    EXPECT_EQ(times.Drawing().slowest, 0.0);

    // 100 passes of 1 to 100 ms; the even ones drew a picture.
    for (int ms = 100; ms >= 1; --ms)
        times.Add(ms, ms % 2 == 0);
    const PassTimeSummary all = times.All();
    EXPECT_EQ(all.count, 100u);
    EXPECT_EQ(all.median, 50.0);
    EXPECT_EQ(all.slowest5Percent, 95.0);
    EXPECT_EQ(all.slowest, 100.0);
    const PassTimeSummary drawing = times.Drawing();
    EXPECT_EQ(drawing.count, 50u);
    EXPECT_EQ(drawing.median, 50.0);
    EXPECT_EQ(drawing.slowest5Percent, 96.0);

    times.Clear();
    EXPECT_EQ(times.All().count, 0u);
    times.Add(0.25, true);
    EXPECT_EQ(times.Drawing().median, 0.25);
    EXPECT_EQ(times.Drawing().slowest5Percent, 0.25);
}

TEST(PassTimes, KeepsOnlyTheLatestPasses) {
    PassTimes times(10);
    for (int i = 0; i < 10; ++i)
        times.Add(100.0, false);  // a slow start...
    for (int i = 0; i < 10; ++i)
        times.Add(1.0, false);  // ...forgotten once the last ten are quick
    EXPECT_EQ(times.All().count, 10u);
    EXPECT_EQ(times.All().slowest, 1.0);
}

}  // namespace
