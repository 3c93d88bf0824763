// SPDX-License-Identifier: MIT
// What the fuzzers found, kept so it stays fixed. Each case names the
// target that found it; the inputs themselves are in tests/hardening/findings/.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/game_fixture.h"

namespace {

std::vector<uint8_t> Finding(const std::string& name) {
    std::ifstream file(std::string(TORVEX_FINDINGS_FOLDER) + "/" + name, std::ios::binary);
    EXPECT_TRUE(file) << name;
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void Put(std::vector<uint8_t>* bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        (*bytes)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

class FuzzFindings : public GameTest {
  protected:
    int LoadClip(std::vector<uint8_t> bytes) {
        HeadlessAddResource("clip", "WAVE", std::move(bytes));
        InitSound(nullptr);
        return LoadWave(SoundBang, "clip");
    }
};

// wave_loader: a clip claiming 788,540,177 samples a second. The loader took
// it, and the sound device then spent minutes and gigabytes building a
// filter to bring it down to 48 kHz; a clip at 1 Hz would have asked for
// 48,000 output samples for each of its own. A clip at a rate no sound
// card uses is damaged, and is refused like any other damage.
TEST_F(FuzzFindings, ClipsAtRatesNoSoundCardUsesAreRefused) {
    EXPECT_EQ(LoadClip(Finding("wave-rate-788-mhz.wav")), 0);
    EXPECT_EQ(SoundSlots[SoundBang], NoVoice);

    std::vector<uint8_t> clip = Finding("wave-rate-788-mhz.wav");
    for (const uint32_t rate : {1u, 7999u, 192001u, 4294967295u}) {
        SCOPED_TRACE(rate);
        Put(&clip, 24, rate, 4);
        EXPECT_EQ(LoadClip(clip), 0);
    }
    // The rates clips are made at load, and the device can take them.
    for (const uint32_t rate : {8000u, 11025u, 44100u, 192000u}) {
        SCOPED_TRACE(rate);
        Put(&clip, 24, rate, 4);
        EXPECT_EQ(LoadClip(clip), 1);
        const std::vector<float> converted = ConvertClip(clip.data() + 44, 200, rate, 48000);
        EXPECT_EQ(converted.size(), (200u * 48000u + rate - 1) / rate);
    }
}

}  // namespace
