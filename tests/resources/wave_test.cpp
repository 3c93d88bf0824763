// SPDX-License-Identifier: MIT
// The nine sound clips as the program carries them: read back through
// FindResource, so these tests also prove that the build embedded them.
// They check what a player would hear go wrong -- a clip the loader refuses,
// a click where a cue starts or stops, clipping, a drift off silence, a
// bump or a gap where the music loops -- and that the cues stand out over
// the music.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "sound/sound.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr uint32_t ClipRate = 11025;
constexpr size_t HeaderBytes = 44;
constexpr int Silence = 128;

struct ClipInfo {
    const char* name;
    int32_t slot;
    uint32_t sampleBytes;
    bool music;
};

// Every clip of the game, in slot order, with the sample count its slot
// was designed around.
const ClipInfo Clips[] = {
    {"bang", SoundBang, 19336, false}, {"do", SoundDo, 1761, false},
    {"geco", SoundGeco, 2496, false},  {"bgm", SoundBgm, 245575, true},
    {"jyan", SoundJyan, 11362, false}, {"wao", SoundWao, 2289, false},
    {"ya", SoundYa, 2343, false},      {"this", SoundThis, 5386, false},
    {"bgmx", SoundBgmx, 122414, true},
};

uint32_t ReadLittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

std::string Tag(const uint8_t* bytes) {
    return std::string(reinterpret_cast<const char*>(bytes), 4);
}

// The embedded file image of a clip; empty when the program lacks it.
std::vector<uint8_t> EmbeddedImage(const char* name) {
    ResourceData resource;
    if (!FindResource(name, "WAVE", &resource))
        return {};
    return std::vector<uint8_t>(resource.bytes, resource.bytes + resource.size);
}

// The samples of a clip whose header has been checked by the first test.
std::vector<int> Samples(const char* name) {
    const std::vector<uint8_t> image = EmbeddedImage(name);
    if (image.size() < HeaderBytes)
        return {};
    return std::vector<int>(image.begin() + HeaderBytes, image.end());
}

int Peak(const std::vector<int>& samples) {
    int peak = 0;
    for (int s : samples)
        peak = std::max(peak, std::abs(s - Silence));
    return peak;
}

double Rms(const std::vector<int>& samples, size_t begin, size_t end) {
    double sum = 0;
    for (size_t i = begin; i < end; ++i)
        sum += double(samples[i] - Silence) * (samples[i] - Silence);
    return std::sqrt(sum / double(end - begin));
}

class WaveResourcesTest : public GameTest {};

TEST_F(WaveResourcesTest, EveryClipHasTheCanonicalHeaderAndItsExactLength) {
    for (const ClipInfo& clip : Clips) {
        SCOPED_TRACE(clip.name);
        const std::vector<uint8_t> image = EmbeddedImage(clip.name);
        ASSERT_EQ(image.size(), HeaderBytes + clip.sampleBytes);
        const uint8_t* h = image.data();
        EXPECT_EQ(Tag(h), "RIFF");
        EXPECT_EQ(ReadLittleEndian(h + 4, 4), image.size() - 8);
        EXPECT_EQ(Tag(h + 8), "WAVE");
        EXPECT_EQ(Tag(h + 12), "fmt ");
        EXPECT_EQ(ReadLittleEndian(h + 16, 4), 16u);
        EXPECT_EQ(ReadLittleEndian(h + 20, 2), 1u) << "PCM";
        EXPECT_EQ(ReadLittleEndian(h + 22, 2), 1u) << "one channel";
        EXPECT_EQ(ReadLittleEndian(h + 24, 4), ClipRate);
        EXPECT_EQ(ReadLittleEndian(h + 28, 4), ClipRate) << "bytes per second";
        EXPECT_EQ(ReadLittleEndian(h + 32, 2), 1u) << "block alignment";
        EXPECT_EQ(ReadLittleEndian(h + 34, 2), 8u) << "bits per sample";
        EXPECT_EQ(Tag(h + 36), "data");
        EXPECT_EQ(ReadLittleEndian(h + 40, 4), clip.sampleBytes);
    }
}

TEST_F(WaveResourcesTest, EveryClipLoadsIntoItsSlotUnderEitherLetterCase) {
    ASSERT_EQ(InitSound(nullptr), 1);
    for (const ClipInfo& clip : Clips) {
        std::string upper = clip.name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(LoadWave(clip.slot, upper.c_str()), 1) << clip.name;
        EXPECT_NE(SoundSlots[clip.slot], NoVoice) << clip.name;
    }
}

TEST_F(WaveResourcesTest, CuesStartAndEndInSilence) {
    // A cue that does not start and end at silence clicks every time it
    // plays or is cut off at its end.
    const size_t quietTail = ClipRate / 200;  // the last 5 ms
    for (const ClipInfo& clip : Clips) {
        if (clip.music)
            continue;
        SCOPED_TRACE(clip.name);
        const std::vector<int> samples = Samples(clip.name);
        ASSERT_GT(samples.size(), quietTail);
        EXPECT_EQ(samples.front(), Silence);
        for (size_t i = samples.size() - quietTail; i < samples.size(); ++i) {
            ASSERT_EQ(samples[i], Silence) << "sample " << i << " of the fade-out";
        }
        EXPECT_GT(Peak(samples), 32) << "a cue must be heard, not just be there";
    }
}

TEST_F(WaveResourcesTest, NoClipIsClippedOrDriftsOffSilence) {
    for (const ClipInfo& clip : Clips) {
        SCOPED_TRACE(clip.name);
        const std::vector<int> samples = Samples(clip.name);
        ASSERT_FALSE(samples.empty());
        // Clipping shows as runs of samples stuck at the ends of the range.
        for (size_t i = 1; i < samples.size(); ++i) {
            const bool stuck =
                samples[i] == samples[i - 1] && (samples[i] == 0 || samples[i] == 255);
            ASSERT_FALSE(stuck) << "clipped at sample " << i;
        }
        double sum = 0;
        for (int s : samples)
            sum += s;
        EXPECT_NEAR(sum / double(samples.size()), Silence, 1.0) << "offset from silence";
    }
}

TEST_F(WaveResourcesTest, MusicLoopsWithoutABumpOrAGap) {
    for (const ClipInfo& clip : Clips) {
        if (!clip.music)
            continue;
        SCOPED_TRACE(clip.name);
        const std::vector<int> samples = Samples(clip.name);
        ASSERT_GT(samples.size(), size_t{ClipRate});

        // The step from the last sample back to the first is no larger than
        // the steps the music takes anyway (99 in 100 of them).
        std::vector<int> steps;
        for (size_t i = 1; i < samples.size(); ++i)
            steps.push_back(std::abs(samples[i] - samples[i - 1]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const int typicalStep = steps[steps.size() * 99 / 100];
        EXPECT_LE(std::abs(samples.front() - samples.back()), typicalStep);

        // Neither end fades away: the 50 ms on each side of the seam are as
        // full as the music around them, so the loop has no gap.
        const size_t edge = ClipRate / 20;
        const double overall = Rms(samples, 0, samples.size());
        EXPECT_GT(Rms(samples, 0, edge), overall / 4);
        EXPECT_GT(Rms(samples, samples.size() - edge, samples.size()), overall / 4);

        // Nor does it fall silent anywhere inside.
        size_t silentRun = 0, longestSilentRun = 0;
        for (int s : samples) {
            silentRun = s == Silence ? silentRun + 1 : 0;
            longestSilentRun = std::max(longestSilentRun, silentRun);
        }
        EXPECT_LT(longestSilentRun, ClipRate / 10) << "a tenth of a second of dead air";
    }
}

TEST_F(WaveResourcesTest, EveryCuePeaksAboveTheMusic) {
    // The music is mixed lower than every cue so that a click, a pop or a
    // voice stands out over it.
    const int musicPeak = std::max(Peak(Samples("bgm")), Peak(Samples("bgmx")));
    ASSERT_GT(musicPeak, 0);
    for (const ClipInfo& clip : Clips) {
        if (clip.music)
            continue;
        EXPECT_GT(Peak(Samples(clip.name)), musicPeak) << clip.name;
    }
}

}  // namespace
