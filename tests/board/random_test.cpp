// The random generator must give the same sequence on every platform: the
// layouts of a seed, and the voice cues, depend on it draw for draw.
#include <gtest/gtest.h>

#include "board/random.h"

namespace {

TEST(RandomTest, KnownSeedsGiveTheClassicSequence) {
    SeedRandom(0);
    for (int32_t expected : {38, 7719, 21238, 2437, 8855})
        EXPECT_EQ(NextRandom(), expected);
    SeedRandom(1);
    for (int32_t expected : {41, 18467, 6334})
        EXPECT_EQ(NextRandom(), expected);
    // The state is a full 32 bits and wraps; only bits 16..30 come out.
    SeedRandom(0xFFFFFFFFu);
    for (int32_t expected : {35, 29739, 3374})
        EXPECT_EQ(NextRandom(), expected);
}

TEST(RandomTest, RangeTakesTheRemainderOfOneDraw) {
    // Seed 0 draws 38, 7719, 21238, 2437, 8855.
    SeedRandom(0);
    EXPECT_EQ(RandomInRange(0, 1), 0);      // 38 % 2
    EXPECT_EQ(RandomInRange(0, 1), 1);      // 7719 % 2
    EXPECT_EQ(RandomInRange(-3, 3), -3);    // -3 + 21238 % 7 (= 0)
    EXPECT_EQ(RandomInRange(5, 5), 5);      // a one-value range still uses a draw...
    EXPECT_EQ(RandomInRange(0, 299), 155);  // ...so this is 8855 % 300
}

}  // namespace
