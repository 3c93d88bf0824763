// Loading the sound slots: intact clips load, damaged ones are refused
// without being read past their end, and nothing fails without a device.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/game_fixture.h"

namespace {

void Put(std::vector<uint8_t>* bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i) (*bytes)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A canonical 44-byte-header clip of `samples` bytes.
std::vector<uint8_t> MakeWave(uint32_t samples) {
    std::vector<uint8_t> bytes(44 + samples, 128);
    std::memcpy(&bytes[0], "RIFF", 4);
    Put(&bytes, 4, static_cast<uint32_t>(bytes.size() - 8), 4);
    std::memcpy(&bytes[8], "WAVEfmt ", 8);
    Put(&bytes, 16, 16, 4);
    Put(&bytes, 20, 1, 2);
    Put(&bytes, 22, 1, 2);
    Put(&bytes, 24, 11025, 4);
    Put(&bytes, 28, 11025, 4);
    Put(&bytes, 32, 1, 2);
    Put(&bytes, 34, 8, 2);
    std::memcpy(&bytes[36], "data", 4);
    Put(&bytes, 40, samples, 4);
    return bytes;
}

class LoadWaveTest : public GameTest {};

TEST_F(LoadWaveTest, IntactClipLoadsIntoItsSlot) {
    HeadlessAddResource("clip", "WAVE", MakeWave(100));
    ASSERT_EQ(InitSound(nullptr), 1);
    EXPECT_EQ(LoadWave(SoundDo, "CLIP"), 1);
    EXPECT_NE(SoundSlots[SoundDo], NoVoice);
    PlaySlot(SoundDo, Once, 0);
    RewindSlot(SoundDo);
    PlaySlot(SoundDo, Looping, 0);
    PlaySlot(SoundDo, Stopped, 0);
    // The log names a voice by the name it was loaded under.
    const std::vector<std::string> expected = {"sound CLIP once", "sound CLIP rewind",
                                               "sound CLIP loop", "sound CLIP stop"};
    EXPECT_EQ(HeadlessLog(), expected);
}

TEST_F(LoadWaveTest, DamagedClipsAreRefusedAndLeaveTheSlotEmpty) {
    ASSERT_EQ(InitSound(nullptr), 1);
    struct Case {
        const char* why;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases;
    std::vector<uint8_t> shortHeader = MakeWave(10);
    shortHeader.resize(43);
    cases.push_back({"shorter than its header", shortHeader});
    std::vector<uint8_t> pastEnd = MakeWave(10);
    Put(&pastEnd, 40, 11, 4);
    cases.push_back({"sample count past the end", pastEnd});
    std::vector<uint8_t> hugeCount = MakeWave(10);
    Put(&hugeCount, 40, 0xFFFFFFF0u, 4);
    cases.push_back({"sample count that wraps", hugeCount});
    std::vector<uint8_t> stereo = MakeWave(10);
    Put(&stereo, 22, 2, 2);
    cases.push_back({"two channels", stereo});
    std::vector<uint8_t> sixteenBit = MakeWave(10);
    Put(&sixteenBit, 34, 16, 2);
    cases.push_back({"16-bit samples", sixteenBit});
    std::vector<uint8_t> compressed = MakeWave(10);
    Put(&compressed, 20, 2, 2);
    cases.push_back({"not PCM", compressed});
    std::vector<uint8_t> notRiff = MakeWave(10);
    notRiff[0] = 'X';
    cases.push_back({"not RIFF", notRiff});
    for (const Case& c : cases) {
        HeadlessAddResource("clip", "WAVE", c.bytes);
        EXPECT_EQ(LoadWave(SoundBang, "clip"), 0) << c.why;
        EXPECT_EQ(SoundSlots[SoundBang], NoVoice) << c.why;
    }
    EXPECT_EQ(LoadWave(SoundBang, "no such clip"), 0);
}

TEST_F(LoadWaveTest, WithoutADeviceIntactClipsStillCountAsLoadedAndCuesDoNothing) {
    HeadlessSetAudioAvailable(false);
    HeadlessAddResource("clip", "WAVE", MakeWave(100));
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

TEST_F(LoadWaveTest, EmptySlotsAndUnknownModesDoNothing) {
    ASSERT_EQ(InitSound(nullptr), 1);
    PlaySlot(SoundGeco, Once, 0);
    RewindSlot(SoundGeco);
    PlaySlot(9, Once, 0);
    PlaySlot(-1, Once, 0);
    PlaySlot(42, Once, 0);
    HeadlessAddResource("clip", "WAVE", MakeWave(100));
    ASSERT_EQ(LoadWave(SoundGeco, "clip"), 1);
    PlaySlot(SoundGeco, 5, 0);
    EXPECT_TRUE(HeadlessLog().empty());
}

}  // namespace
