// SPDX-License-Identifier: MIT
// The sound clips converted on their own thread: each result is exactly
// what converting it on the spot gives, whatever the caller does with its
// buffer meanwhile, and the converter can go with clips still waiting.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/sdl/clip_converter.h"
#include "tests/platform/platform_test_support.h"

namespace {

TEST(ClipConverter, GivesEachClipExactlyAsConvertedOnTheSpot) {
    const std::vector<uint8_t> low = Tone(440.0, 0.5, 3000);
    const std::vector<uint8_t> high = Tone(1000.0, 0.3, 1500);
    ClipConverter converter(48000);
    std::vector<uint8_t> buffer = low;
    std::future<std::vector<float>> first =
        converter.Convert(buffer.data(), buffer.size(), ClipRate);
    std::fill(buffer.begin(), buffer.end(), 0);  // the caller's buffer may go at once
    std::future<std::vector<float>> second = converter.Convert(high.data(), high.size(), 22050);
    std::future<std::vector<float>> third = converter.Convert(low.data(), low.size(), 48000);

    // Taken out of order: each waits for its own clip only.
    EXPECT_EQ(third.get(), ConvertClip(low.data(), low.size(), 48000, 48000));
    EXPECT_EQ(second.get(), ConvertClip(high.data(), high.size(), 22050, 48000));
    const std::vector<float> converted = first.get();
    EXPECT_EQ(converted, ConvertClip(low.data(), low.size(), ClipRate, 48000));
    EXPECT_EQ(converted.size(), (low.size() * 48000 + ClipRate - 1) / ClipRate);
}

TEST(ClipConverter, GoesWithClipsStillWaitingAndLeavesNoneHanging) {
    const std::vector<uint8_t> tune = Tone(220.0, 0.5, 40000);
    std::vector<std::future<std::vector<float>>> results;
    {
        ClipConverter converter(44100);
        for (int i = 0; i < 6; ++i)
            results.push_back(converter.Convert(tune.data(), tune.size(), ClipRate));
    }
    // Each is done or dropped; none waits for a thread that is gone.
    for (std::future<std::vector<float>>& result : results)
        EXPECT_EQ(result.wait_for(std::chrono::seconds(0)), std::future_status::ready);
}

}  // namespace
