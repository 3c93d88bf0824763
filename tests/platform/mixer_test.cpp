// The mixer keeps the rules the game's sounds rely on, sample by sample.
//
// Most tests mix at the clips' own rate, so a clip reaches the output
// unchanged, and use clips whose every sample has its own level: each output
// sample then tells which sample of which clip was playing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/common/mixer.h"

namespace {

constexpr uint32_t ClipRate = 11025;
constexpr int Silence = -1;

// Sample k of a numbered clip is 129 + k: every sample distinct, none silent.
std::vector<uint8_t> NumberedSamples(int length) {
    std::vector<uint8_t> samples;
    for (int k = 0; k < length; ++k)
        samples.push_back(static_cast<uint8_t>(129 + k));
    return samples;
}

// What one voice alone sounds like for an 8-bit sample, at the mixer's gain.
int16_t Alone(uint8_t sample) {
    const float level = (static_cast<float>(sample) - 128.0f) / 128.0f * MixerVoiceGain;
    return static_cast<int16_t>(std::lrint(LimitLevel(level) * 32767.0f));
}

class NumberedVoice {
  public:
    NumberedVoice(Mixer& mixer, int length) : mixer_(mixer) {
        const std::vector<uint8_t> samples = NumberedSamples(length);
        voice_ = mixer.AddVoice(ConvertClip(samples.data(), samples.size(), ClipRate, ClipRate),
                                ClipRate);
        for (int k = 0; k < length; ++k)
            numberOf_[Alone(samples[k])] = k;
    }

    int voice() const { return voice_; }

    // The next `count` output samples, each as the clip sample it carries,
    // or Silence.
    std::vector<int> Pull(size_t count) {
        std::vector<int16_t> output(count);
        mixer_.Render(output.data(), count, 1);
        std::vector<int> numbers;
        for (int16_t sample : output) {
            if (sample == 0) {
                numbers.push_back(Silence);
                continue;
            }
            auto found = numberOf_.find(sample);
            numbers.push_back(found == numberOf_.end() ? -1000 : found->second);
        }
        return numbers;
    }

  private:
    Mixer& mixer_;
    int voice_;
    std::map<int16_t, int> numberOf_;
};

std::vector<int> Samples(int from, int to) {  // from .. to inclusive
    std::vector<int> numbers;
    for (int k = from; k <= to; ++k)
        numbers.push_back(k);
    return numbers;
}

std::vector<int> Then(std::vector<int> first, const std::vector<int>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

std::vector<int> Silent(int count) {
    return std::vector<int>(count, Silence);
}

class MixerTest : public ::testing::Test {
  protected:
    Mixer mixer{ClipRate};
    NumberedVoice clip{mixer, 8};
};

TEST_F(MixerTest, PlayOnceRunsToTheEndAndStopsBackAtTheStart) {
    EXPECT_EQ(clip.Pull(3), Silent(3)) << "a new voice is silent";
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_TRUE(mixer.IsPlaying(clip.voice()));
    EXPECT_EQ(clip.Pull(11), Then(Samples(0, 7), Silent(3)));
    EXPECT_FALSE(mixer.IsPlaying(clip.voice()));
    EXPECT_EQ(mixer.Position(clip.voice()), 0u);

    // A clip that ran to its end starts afresh.
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(9), Then(Samples(0, 7), Silent(1)));
}

TEST_F(MixerTest, StopKeepsThePositionAndPlayOnceGoesOnFromThere) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(3), Samples(0, 2));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Stop, 0);
    EXPECT_EQ(clip.Pull(4), Silent(4));
    EXPECT_EQ(mixer.Position(clip.voice()), 3u);
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(6), Then(Samples(3, 7), Silent(1)));
}

TEST_F(MixerTest, AClickTriggeredAgainWhileSoundingIsNotRestarted) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(4), Samples(0, 3));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(5), Then(Samples(4, 7), Silent(1)));
}

TEST_F(MixerTest, ARewoundExplosionRestartsFromItsBeginning) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(5), Samples(0, 4));
    mixer.RewindVoice(clip.voice());
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(9), Then(Samples(0, 7), Silent(1)));
}

TEST_F(MixerTest, RewindingAPlayingVoiceJumpsToTheStartWithoutStopping) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(6), Samples(0, 5));
    mixer.RewindVoice(clip.voice());
    EXPECT_EQ(clip.Pull(9), Then(Samples(0, 7), Silent(1)));
}

TEST_F(MixerTest, LoopingPlaysOnFromThePositionAndWraps) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(3), Samples(0, 2));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Stop, 0);
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_TRUE(mixer.IsLooping(clip.voice()));
    EXPECT_EQ(clip.Pull(21), Then(Then(Samples(3, 7), Samples(0, 7)), Samples(0, 7)));
    EXPECT_TRUE(mixer.IsPlaying(clip.voice()));
}

TEST_F(MixerTest, LoopingAVoiceThatLoopsAlreadyKeepsItGoing) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_EQ(clip.Pull(5), Samples(0, 4));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_EQ(clip.Pull(5), Then(Samples(5, 7), Samples(0, 1)));
}

TEST_F(MixerTest, MusicRewoundAndLoopedStartsFromItsBeginning) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_EQ(clip.Pull(5), Samples(0, 4));
    mixer.RewindVoice(clip.voice());
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_EQ(clip.Pull(10), Then(Samples(0, 7), Samples(0, 1)));
}

TEST_F(MixerTest, PlayOnceOnALoopingVoiceEndsItAtTheClipsEnd) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_EQ(clip.Pull(10), Then(Samples(0, 7), Samples(0, 1)));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_FALSE(mixer.IsLooping(clip.voice()));
    EXPECT_EQ(clip.Pull(8), Then(Samples(2, 7), Silent(2)));
    EXPECT_EQ(mixer.Position(clip.voice()), 0u);
}

TEST_F(MixerTest, AStoppedLoopKeepsItsPlaceAcrossTheWrap) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Loop, 0);
    EXPECT_EQ(clip.Pull(10), Then(Samples(0, 7), Samples(0, 1)));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Stop, 0);
    EXPECT_FALSE(mixer.IsPlaying(clip.voice()));
    EXPECT_EQ(mixer.Position(clip.voice()), 2u);
}

TEST_F(MixerTest, AFrequencyPlaysAtThatRateAndZeroGoesBackToTheClipsOwn) {
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 2 * ClipRate);
    EXPECT_EQ(clip.Pull(5), Then(std::vector<int>{0, 2, 4, 6}, Silent(1)));
    mixer.PlayVoice(clip.voice(), Mixer::Play::Once, 0);
    EXPECT_EQ(clip.Pull(9), Then(Samples(0, 7), Silent(1)));
}

TEST(MixerRate, ASlowerRateInterpolatesBetweenSamples) {
    Mixer mixer(ClipRate);
    const std::vector<uint8_t> ramp = {128, 168, 208, 248};
    const int voice =
        mixer.AddVoice(ConvertClip(ramp.data(), ramp.size(), ClipRate, ClipRate), ClipRate);
    mixer.PlayVoice(voice, Mixer::Play::Once, ClipRate / 2 + 1);  // a hair over half speed
    std::vector<int16_t> output(9);
    mixer.Render(output.data(), output.size(), 1);
    // Half-way points between the samples, then the last one fading to
    // silence after it, then nothing.
    const float step = 40.0f / 128.0f * MixerVoiceGain * 32767.0f;
    const float expected[] = {0, 0.5f, 1, 1.5f, 2, 2.5f, 3, 1.5f, 0};
    for (size_t i = 0; i < output.size(); ++i) {
        EXPECT_NEAR(output[i], expected[i] * step, 0.002f * 32767.0f) << "sample " << i;
    }
    EXPECT_FALSE(mixer.IsPlaying(voice));
}

TEST(MixerMix, VoicesSoundingTogetherAreAdded) {
    Mixer mixer(ClipRate);
    const std::vector<uint8_t> low(16, 128 + 20);
    const std::vector<uint8_t> high(4, 128 - 50);
    const int first =
        mixer.AddVoice(ConvertClip(low.data(), low.size(), ClipRate, ClipRate), ClipRate);
    const int second =
        mixer.AddVoice(ConvertClip(high.data(), high.size(), ClipRate, ClipRate), ClipRate);
    mixer.PlayVoice(first, Mixer::Play::Once, 0);
    mixer.PlayVoice(second, Mixer::Play::Once, 0);
    std::vector<int16_t> output(6);
    mixer.Render(output.data(), output.size(), 1);
    const auto both =
        static_cast<int16_t>(std::lrint((20.0f - 50.0f) / 128.0f * MixerVoiceGain * 32767.0f));
    EXPECT_EQ(output, (std::vector<int16_t>{both, both, both, both, Alone(148), Alone(148)}));
}

TEST(MixerMix, LoudVoicesTogetherAreLimitedNotWrappedOrClipped) {
    Mixer mixer(ClipRate);
    const std::vector<uint8_t> loudest(64, 255);
    const std::vector<uint8_t> lowest(64, 0);
    std::vector<int> voices;
    for (int i = 0; i < 6; ++i) {
        voices.push_back(mixer.AddVoice(
            ConvertClip(loudest.data(), loudest.size(), ClipRate, ClipRate), ClipRate));
    }
    int16_t previous = 0;
    for (int count = 1; count <= 6; ++count) {
        for (int i = 0; i < count; ++i) {
            mixer.RewindVoice(voices[i]);
            mixer.PlayVoice(voices[i], Mixer::Play::Once, 0);
        }
        int16_t sample = 0;
        mixer.Render(&sample, 1, 1);
        // Louder with every voice while there is room, never quieter, and
        // never wrapped round to the other sign.
        if (count <= 3) {
            EXPECT_GT(sample, previous) << count << " voices sound louder than " << count - 1;
        } else {
            EXPECT_GE(sample, previous) << count << " voices";
        }
        previous = sample;
        for (int voice : voices)
            mixer.PlayVoice(voice, Mixer::Play::Stop, 0);
    }
    EXPECT_GT(previous, static_cast<int16_t>(MixerLimiterThreshold * 32767.0f));

    // The same downwards: negative stays negative.
    const int low =
        mixer.AddVoice(ConvertClip(lowest.data(), lowest.size(), ClipRate, ClipRate), ClipRate);
    const int low2 =
        mixer.AddVoice(ConvertClip(lowest.data(), lowest.size(), ClipRate, ClipRate), ClipRate);
    const int low3 =
        mixer.AddVoice(ConvertClip(lowest.data(), lowest.size(), ClipRate, ClipRate), ClipRate);
    for (int voice : {low, low2, low3})
        mixer.PlayVoice(voice, Mixer::Play::Once, 0);
    int16_t sample = 0;
    mixer.Render(&sample, 1, 1);
    EXPECT_LT(sample, -static_cast<int16_t>(MixerLimiterThreshold * 32767.0f));
    EXPECT_GT(sample, -32767);
}

TEST(MixerLimiter, LeavesQuietLevelsAloneAndBendsLoudOnesSmoothly) {
    EXPECT_EQ(LimitLevel(0.5f), 0.5f);
    EXPECT_EQ(LimitLevel(-MixerLimiterThreshold), -MixerLimiterThreshold);
    float previous = MixerLimiterThreshold;
    for (float level = MixerLimiterThreshold + 0.01f; level < 8.0f; level += 0.01f) {
        const float limited = LimitLevel(level);
        EXPECT_GE(limited, previous);
        EXPECT_LT(limited - previous, 0.0101f) << "no jump at " << level;
        EXPECT_LE(limited, 1.0f);
        EXPECT_EQ(LimitLevel(-level), -limited);
        previous = limited;
    }
}

TEST(MixerOutput, EveryChannelCarriesTheMixAcrossBufferBoundaries) {
    Mixer mixer(ClipRate);
    // Longer than the mixer's internal chunk, so the play crosses chunks.
    std::vector<uint8_t> samples(700);
    for (size_t k = 0; k < samples.size(); ++k)
        samples[k] = static_cast<uint8_t>(129 + k % 100);
    const int voice =
        mixer.AddVoice(ConvertClip(samples.data(), samples.size(), ClipRate, ClipRate), ClipRate);
    mixer.PlayVoice(voice, Mixer::Play::Once, 0);
    std::vector<int16_t> output(2 * 710);
    mixer.Render(output.data(), 300, 2);
    mixer.Render(output.data() + 600, 410, 2);
    for (size_t frame = 0; frame < 710; ++frame) {
        const int16_t expected = frame < samples.size() ? Alone(samples[frame]) : 0;
        ASSERT_EQ(output[2 * frame], expected) << "frame " << frame;
        ASSERT_EQ(output[2 * frame + 1], expected) << "frame " << frame;
    }
}

TEST(MixerVoices, AreRefusedWhenEmptyOrFullAndFreedForReuse) {
    Mixer mixer(ClipRate);
    EXPECT_EQ(mixer.AddVoice({}, ClipRate), Mixer::NoVoice);
    EXPECT_EQ(mixer.AddVoice({0.5f}, 0), Mixer::NoVoice);
    for (int i = 0; i < Mixer::MaxVoices; ++i)
        ASSERT_EQ(mixer.AddVoice({0.5f}, ClipRate), i);
    EXPECT_EQ(mixer.AddVoice({0.5f}, ClipRate), Mixer::NoVoice);

    mixer.PlayVoice(3, Mixer::Play::Loop, 0);
    const std::vector<float> taken = mixer.RemoveVoice(3);
    EXPECT_EQ(taken, std::vector<float>{0.5f});
    EXPECT_FALSE(mixer.IsPlaying(3)) << "a removed voice sounds no more";
    int16_t sample = 1;
    mixer.Render(&sample, 1, 1);
    EXPECT_EQ(sample, 0);
    EXPECT_EQ(mixer.AddVoice({0.25f}, ClipRate), 3);

    // Voices that do not exist are ignored.
    mixer.PlayVoice(-1, Mixer::Play::Once, 0);
    mixer.PlayVoice(Mixer::MaxVoices, Mixer::Play::Once, 0);
    mixer.RewindVoice(99);
    EXPECT_TRUE(mixer.RemoveVoice(-5).empty());
}

// --- converting clips to the device's rate ----------------------------------------

std::vector<uint8_t> Tone(double frequency, double amplitude, size_t count) {
    std::vector<uint8_t> samples(count);
    for (size_t n = 0; n < count; ++n) {
        const double level = amplitude * std::sin(2.0 * M_PI * frequency * n / ClipRate);
        samples[n] = static_cast<uint8_t>(std::lrint(128.0 + 127.0 * level));
    }
    return samples;
}

// The amplitude of the `frequency` component of `signal` at `rate`, over
// the samples [first, last).
double Amplitude(const std::vector<float>& signal, double frequency, double rate, size_t first,
                 size_t last) {
    double sine = 0.0;
    double cosine = 0.0;
    for (size_t n = first; n < last; ++n) {
        const double phase = 2.0 * M_PI * frequency * n / rate;
        sine += signal[n] * std::sin(phase);
        cosine += signal[n] * std::cos(phase);
    }
    return 2.0 * std::hypot(sine, cosine) / static_cast<double>(last - first);
}

TEST(ConvertClip, AtTheSameRateCopiesEverySampleExactly) {
    const std::vector<uint8_t> samples = {0, 64, 128, 192, 255};
    EXPECT_EQ(ConvertClip(samples.data(), samples.size(), ClipRate, ClipRate),
              (std::vector<float>{-1.0f, -0.5f, 0.0f, 0.5f, 127.0f / 128.0f}));
    EXPECT_TRUE(ConvertClip(samples.data(), 0, ClipRate, 48000).empty());
    EXPECT_TRUE(ConvertClip(samples.data(), samples.size(), 0, 48000).empty());
}

TEST(ConvertClip, KeepsTheClipsDuration) {
    const std::vector<uint8_t> second(ClipRate, 128);
    EXPECT_EQ(ConvertClip(second.data(), second.size(), ClipRate, 48000).size(), 48000u);
    EXPECT_EQ(ConvertClip(second.data(), second.size(), ClipRate, 44100).size(), 44100u);
    EXPECT_EQ(ConvertClip(second.data(), 3, ClipRate, 48000).size(), 14u)
        << "ceil(3 * 48000 / 11025)";
}

TEST(ConvertClip, UpsamplingFollowsTheWaveformNotAStaircase) {
    // A 3 kHz tone is well inside the clip's band: the converted samples
    // must lie on the same sine. Repeating samples (or joining them with
    // straight lines) misses it by far more than the 8-bit rounding.
    const double frequency = 3000.0;
    const std::vector<uint8_t> tone = Tone(frequency, 0.8, ClipRate);
    const std::vector<float> converted = ConvertClip(tone.data(), tone.size(), ClipRate, 48000);
    double worst = 0.0;
    for (size_t n = 2000; n < converted.size() - 2000; ++n) {
        const double ideal = 0.8 * 127.0 / 128.0 * std::sin(2.0 * M_PI * frequency * n / 48000.0);
        worst = std::max(worst, std::fabs(converted[n] - ideal));
    }
    EXPECT_LT(worst, 0.02);
}

TEST(ConvertClip, UpsamplingLeavesNoImageOfTheTone) {
    // Its image, at 11025 - 3000 Hz, is what a staircase would add.
    const std::vector<uint8_t> tone = Tone(3000.0, 0.8, ClipRate);
    const std::vector<float> converted = ConvertClip(tone.data(), tone.size(), ClipRate, 48000);
    const double wanted = Amplitude(converted, 3000.0, 48000, 2000, 46000);
    const double image = Amplitude(converted, 11025.0 - 3000.0, 48000, 2000, 46000);
    EXPECT_NEAR(wanted, 0.8 * 127.0 / 128.0, 0.01);
    EXPECT_LT(image, wanted * 1e-3) << "the image is at least 60 dB down";
}

TEST(ConvertClip, DownsamplingRemovesWhatWouldAlias) {
    // At 8000 Hz a 5 kHz tone cannot be held; kept, it would fold to 3 kHz.
    const std::vector<uint8_t> tone = Tone(5000.0, 0.8, ClipRate);
    const std::vector<float> converted = ConvertClip(tone.data(), tone.size(), ClipRate, 8000);
    EXPECT_LT(Amplitude(converted, 3000.0, 8000, 1000, 7000), 0.8 * 1e-3);
    // While a tone the lower rate holds passes.
    const std::vector<uint8_t> low = Tone(1000.0, 0.8, ClipRate);
    const std::vector<float> kept = ConvertClip(low.data(), low.size(), ClipRate, 8000);
    EXPECT_NEAR(Amplitude(kept, 1000.0, 8000, 1000, 7000), 0.8 * 127.0 / 128.0, 0.01);
}

}  // namespace
