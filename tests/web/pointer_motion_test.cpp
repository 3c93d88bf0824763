// SPDX-License-Identifier: MIT
// The mouse's movement, handed to the game in whole pixels of its picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/web/pointer_motion.h"

namespace {

struct Reading {
    int32_t dx;
    int32_t dy;
};

Reading ReadAndConsume(PointerMotion& motion, double scale) {
    Reading reading{};
    motion.Read(scale, &reading.dx, &reading.dy);
    motion.Consume(scale);
    return reading;
}

TEST(PointerMotion, SlowMovementAddsUpInWholeGamePixels) {
    // The picture drawn at three page pixels per game pixel; the mouse
    // reports one page pixel at a time, as a slow hand makes it.
    PointerMotion motion;
    int32_t total = 0;
    for (int step = 0; step < 100; ++step) {
        motion.Add(1.0, 0.0);
        total += ReadAndConsume(motion, 3.0).dx;
    }
    EXPECT_EQ(total, 33);  // 100 page pixels: 33 whole game pixels, one page pixel left over
    motion.Add(2.0, 0.0);
    EXPECT_EQ(ReadAndConsume(motion, 3.0).dx, 1);
}

TEST(PointerMotion, ReadingLeavesTheMovementUntilConsumed) {
    PointerMotion motion;
    motion.Add(7.0, -7.0);
    Reading first{};
    motion.Read(2.0, &first.dx, &first.dy);
    Reading again{};
    motion.Read(2.0, &again.dx, &again.dy);
    EXPECT_EQ(first.dx, 3);
    EXPECT_EQ(first.dy, -3);  // cut towards zero both ways
    EXPECT_EQ(again.dx, 3);
    motion.Consume(2.0);
    const Reading rest = ReadAndConsume(motion, 1.0);
    EXPECT_EQ(rest.dx, 1);  // the half game pixel kept is one page pixel
    EXPECT_EQ(rest.dy, -1);
}

TEST(PointerMotion, ShrunkPicturesAndUnknownScalesAndNonsense) {
    PointerMotion motion;
    motion.Add(10.0, 5.0);
    // A picture drawn smaller than the game's pixels: more game pixels than page ones.
    const Reading shrunk = ReadAndConsume(motion, 0.5);
    EXPECT_EQ(shrunk.dx, 20);
    EXPECT_EQ(shrunk.dy, 10);

    motion.Add(4.0, 0.0);
    EXPECT_EQ(ReadAndConsume(motion, 0.0).dx, 4);  // no scale known: one to one

    motion.Add(std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity());
    motion.Add(1e300, -1e300);
    Reading huge{};
    motion.Read(1.0, &huge.dx, &huge.dy);
    EXPECT_GT(huge.dx, 1000000);  // clamped, not wrapped
    EXPECT_LT(huge.dy, -1000000);

    motion.Clear();
    Reading cleared{};
    motion.Read(1.0, &cleared.dx, &cleared.dy);
    EXPECT_EQ(cleared.dx, 0);
    EXPECT_EQ(cleared.dy, 0);
}

}  // namespace
