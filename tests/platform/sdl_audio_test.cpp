// SPDX-License-Identifier: MIT
// The sound device: a machine without one starts normally in silence, and
// on SDL's disk device (which writes the mix to a file at the pace of a
// sound card, in buffers longer than the mixer's chunks) a cue comes out
// converted to the device's rate, on every channel, at the right pitch,
// level and length.
#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <thread>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"
#include "tests/platform/platform_test_support.h"

namespace {

TEST(SdlAudio, NoSoundDeviceIsANormalStartInSilence) {
    UseVirtualDevices();
    setenv("SDL_AUDIODRIVER", "no-such-sound-system", 1);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(OpenAudio(nullptr), 0);
    ::testing::internal::GetCapturedStderr();
    const std::vector<uint8_t> clip = Tone(440.0, 0.5, 100);
    EXPECT_EQ(CreateVoice("do", clip.data(), clip.size(), ClipRate), NoVoice);
    // Nothing fails and nothing happens.
    PlayVoice(0, Once, 0);
    RewindVoice(0);
    DestroyVoice(0);
    CloseAudio();
    int rate = 0, channels = 0;
    EXPECT_FALSE(AudioDeviceFormat(&rate, &channels));
}

TEST(SdlAudio, TheDummyDeviceTakesVoicesAndOpensAgainAfterClosing) {
    UseVirtualDevices();
    const std::vector<uint8_t> clip = Tone(440.0, 0.5, 2000);
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(OpenAudio(nullptr), 1);
        const VoiceHandle first = CreateVoice("do", clip.data(), clip.size(), ClipRate);
        const VoiceHandle second = CreateVoice("bgm", clip.data(), clip.size(), ClipRate);
        EXPECT_NE(first, NoVoice);
        EXPECT_NE(second, NoVoice);
        EXPECT_NE(first, second);
        PlayVoice(first, Once, 0);
        PlayVoice(second, Looping, 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        RewindVoice(second);
        PlayVoice(second, Stopped, 0);
        DestroyVoice(first);
        CloseAudio();  // with a voice still in place
    }
}

TEST(SdlAudio, ACueComesOutOfTheDeviceAsPlayed) {
    UseVirtualDevices();
    char name[] = "/tmp/torvex-mix-XXXXXX";
    const int file = mkstemp(name);
    ASSERT_GE(file, 0);
    close(file);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", name, 1);

    ASSERT_EQ(OpenAudio(nullptr), 1);
    int rate = 0, channels = 0;
    ASSERT_TRUE(AudioDeviceFormat(&rate, &channels));
    // A tenth of a second of 1 kHz at 80% of full scale.
    const std::vector<uint8_t> clip = Tone(1000.0, 0.8, ClipRate / 10);
    const VoiceHandle voice = CreateVoice("tone", clip.data(), clip.size(), ClipRate);
    ASSERT_NE(voice, NoVoice);
    EXPECT_EQ(CreateVoice("empty", clip.data(), 0, ClipRate), NoVoice);
    PlayVoice(voice, Once, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    DestroyVoice(voice);
    CloseAudio();

    std::ifstream input(name, std::ios::binary);
    std::vector<int16_t> samples;
    for (int16_t sample = 0; input.read(reinterpret_cast<char*>(&sample), sizeof sample);)
        samples.push_back(sample);
    unlink(name);
    ASSERT_GT(samples.size(), static_cast<size_t>(channels * rate / 5)) << "the device ran";

    // The same mix on every channel; the tone lasts its tenth of a second at
    // the device's rate (give or take the converter's few samples of fade at
    // either end), at its pitch and level, with silence after it.
    std::vector<int16_t> mono;
    size_t first = SIZE_MAX, last = 0;
    for (size_t frame = 0; frame + channels <= samples.size(); frame += channels) {
        for (int channel = 1; channel < channels; ++channel)
            ASSERT_EQ(samples[frame + channel], samples[frame]) << "frame " << frame / channels;
        if (std::abs(samples[frame]) > 200) {
            first = std::min(first, mono.size());
            last = mono.size();
        }
        mono.push_back(samples[frame]);
    }
    ASSERT_LT(first, mono.size()) << "the cue was heard";
    EXPECT_NEAR(static_cast<double>(last - first), rate / 10.0, rate / 1000.0);
    EXPECT_EQ(mono.back(), 0);
    int crossings = 0;  // 1 kHz crosses zero 200 times in a tenth of a second
    int16_t peak = 0;
    for (size_t n = first + 1; n <= last; ++n) {
        crossings += (mono[n - 1] < 0) != (mono[n] < 0);
        peak = std::max<int16_t>(peak, std::abs(mono[n]));
    }
    EXPECT_NEAR(crossings, 200, 4);
    EXPECT_NEAR(peak, 0.8 * 127.0 / 128.0 * MixerVoiceGain * 32767.0, 32767.0 * 0.01);
}

}  // namespace
