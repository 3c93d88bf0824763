// SPDX-License-Identifier: MIT
// Loading the sound slots: intact clips load, damaged ones are refused
// without being read past their end, and nothing fails without a device.
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/game_fixture.h"
#include "tests/support/test_sounds.h"

namespace {

using Lines = std::vector<std::string>;

class LoadWaveTest : public GameTest {};

// Empty slots, slots out of range and unknown modes do nothing.
TEST_F(LoadWaveTest, IntactClipLoadsIntoItsSlotAndNothingElseSounds) {
    HeadlessAddResource("clip", "WAVE", MakeTestWave(100));
    ASSERT_EQ(InitSound(nullptr), 1);
    EXPECT_EQ(LoadWave(SoundDo, "CLIP"), 1);
    EXPECT_NE(SoundSlots[SoundDo], NoVoice);
    for (const int32_t slot : {int32_t{SoundGeco}, 9, -1, 42}) {
        PlaySlot(slot, Once, 0);
        RewindSlot(slot);
    }
    PlaySlot(SoundDo, static_cast<PlayMode>(5), 0);
    PlaySlot(SoundDo, Once, 0);
    RewindSlot(SoundDo);
    PlaySlot(SoundDo, Looping, 0);
    PlaySlot(SoundDo, Stopped, 0);
    // The log names a voice by the name it was loaded under.
    EXPECT_EQ(HeadlessLog(), (Lines{"sound CLIP once", "sound CLIP rewind", "sound CLIP loop",
                                    "sound CLIP stop"}));
}

TEST_F(LoadWaveTest, DamagedClipsAreRefusedAndLeaveTheSlotEmpty) {
    ASSERT_EQ(InitSound(nullptr), 1);
    // Each case writes `value` over `count` bytes at `at` of an intact clip
    // of 10 samples; a size of 43 cuts the clip inside its header.
    const struct {
        const char* why;
        size_t at;
        uint32_t value;
        int count;
        size_t size;
    } cases[] = {
        {"shorter than its header", 0, 0, 0, 43},
        {"sample count past the end", 40, 11, 4, 54},
        {"sample count that wraps", 40, 0xFFFFFFF0u, 4, 54},
        {"two channels", 22, 2, 2, 54},
        {"16-bit samples", 34, 16, 2, 54},
        {"not PCM", 20, 2, 2, 54},
        {"not RIFF", 0, 'X', 1, 54},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes = MakeTestWave(10);
        for (int i = 0; i < c.count; ++i)
            bytes[c.at + i] = static_cast<uint8_t>(c.value >> (8 * i));
        bytes.resize(c.size);
        HeadlessAddResource("clip", "WAVE", bytes);
        EXPECT_EQ(LoadWave(SoundBang, "clip"), 0) << c.why;
        EXPECT_EQ(SoundSlots[SoundBang], NoVoice) << c.why;
    }
    EXPECT_EQ(LoadWave(SoundBang, "no such clip"), 0);
}

TEST_F(LoadWaveTest, WithoutADeviceIntactClipsStillCountAsLoadedAndCuesDoNothing) {
    HeadlessSetAudioAvailable(false);
    HeadlessAddResource("clip", "WAVE", MakeTestWave(100));
    EXPECT_EQ(InitSound(nullptr), 0);
    EXPECT_EQ(LoadWave(SoundBgmx, "clip"), 1) << "no sound card is not damaged data";
    EXPECT_EQ(SoundSlots[SoundBgmx], NoVoice);
    PlaySlot(SoundBgmx, Looping, 0);
    RewindSlot(SoundBgmx);
    PlaySlot(SoundBgmx, Stopped, 0);
    EXPECT_TRUE(HeadlessLog().empty());
    HeadlessAddResource("clip", "WAVE", std::vector<uint8_t>(20, 0));
    EXPECT_EQ(LoadWave(SoundBgmx, "clip"), 0) << "damaged data is still reported";
    ReleaseSound();
}

}  // namespace
