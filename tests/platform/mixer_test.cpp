// SPDX-License-Identifier: MIT
// The mixer keeps the rules the game's sounds rely on, sample by sample.
//
// Most tests mix at the clips' own rate, so a clip reaches the output
// unchanged, and use a clip whose every sample has its own level: each
// output sample then tells which sample of the clip was playing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/common/mixer.h"
#include "tests/platform/platform_test_support.h"

namespace {

int AddClip(Mixer& mixer, const std::vector<uint8_t>& samples) {
    return mixer.AddVoice(ConvertClip(samples.data(), samples.size(), ClipRate, ClipRate),
                          ClipRate);
}

// What one voice alone sounds like for an 8-bit sample, at the mixer's gain.
int16_t Alone(uint8_t sample) {
    const float level = (static_cast<float>(sample) - 128.0f) / 128.0f * MixerVoiceGain;
    return static_cast<int16_t>(std::lrint(LimitLevel(level) * 32767.0f));
}

// The numbered clip: sample k is 129 + k, every one distinct and none silent.
const std::vector<uint8_t> Numbered = {129, 130, 131, 132, 133, 134, 135, 136};

// The next `count` output samples of the numbered clip: each the digit of
// the clip sample it carries, '-' for silence, '?' for anything else.
std::string Heard(Mixer& mixer, size_t count) {
    std::vector<int16_t> output(count);
    mixer.Render(output.data(), count, 1);
    std::string heard;
    for (int16_t sample : output) {
        char number = sample == 0 ? '-' : '?';
        for (size_t k = 0; k < Numbered.size(); ++k) {
            if (sample == Alone(Numbered[k]))
                number = static_cast<char>('0' + k);
        }
        heard += number;
    }
    return heard;
}

enum class Do { Listen, Once, Loop, Stop, Rewind, OnceAtTwiceTheRate };

// One request to the voice, then what the next outputs carry and, when
// given, the voice's position afterwards.
struct Step {
    Do action;
    std::string heard;
    int position = -1;
};

TEST(MixerVoice, FollowsTheRulesTheGamesSoundsRelyOn) {
    const struct {
        const char* rule;
        std::vector<Step> steps;
    } rules[] = {
        {"play once runs to the end, stops back at the start, then starts afresh",
         {{Do::Listen, "---"}, {Do::Once, "01234567---", 0}, {Do::Once, "01234567-"}}},
        {"stop keeps the position and play once goes on from there",
         {{Do::Once, "012"}, {Do::Stop, "----", 3}, {Do::Once, "34567-"}}},
        {"a click triggered again while sounding is not restarted",
         {{Do::Once, "0123"}, {Do::Once, "4567-"}}},
        {"a rewound explosion restarts from its beginning",
         {{Do::Once, "01234"}, {Do::Rewind, ""}, {Do::Once, "01234567-"}}},
        {"rewinding a playing voice jumps to the start without stopping",
         {{Do::Once, "012345"}, {Do::Rewind, "01234567-"}}},
        {"looping plays on from the position and wraps",
         {{Do::Once, "012"}, {Do::Stop, ""}, {Do::Loop, "345670123456701234567"}}},
        {"play once on a looping voice ends it at the clip's end",
         {{Do::Loop, "0123456701"}, {Do::Once, "234567--", 0}}},
        {"a frequency plays at that rate and zero goes back to the clip's own",
         {{Do::OnceAtTwiceTheRate, "0246-"}, {Do::Once, "01234567-"}}},
    };
    for (const auto& rule : rules) {
        SCOPED_TRACE(rule.rule);
        Mixer mixer(ClipRate);
        const int voice = AddClip(mixer, Numbered);
        for (const Step& step : rule.steps) {
            if (step.action == Do::Rewind) {
                mixer.RewindVoice(voice);
            } else if (step.action != Do::Listen) {
                const PlayMode play = step.action == Do::Loop   ? Looping
                                      : step.action == Do::Stop ? Stopped
                                                                : Once;
                const bool twice = step.action == Do::OnceAtTwiceTheRate;
                mixer.PlayVoice(voice, play, twice ? 2 * ClipRate : 0);
            }
            EXPECT_EQ(Heard(mixer, step.heard.size()), step.heard);
            if (step.position >= 0) {
                EXPECT_EQ(mixer.Position(voice), static_cast<uint64_t>(step.position));
            }
        }
    }
}

TEST(MixerMix, VoicesSoundingTogetherAreAdded) {
    Mixer mixer(ClipRate);
    mixer.PlayVoice(AddClip(mixer, std::vector<uint8_t>(16, 128 + 20)), Once, 0);
    mixer.PlayVoice(AddClip(mixer, std::vector<uint8_t>(4, 128 - 50)), Once, 0);
    std::vector<int16_t> output(6);
    mixer.Render(output.data(), output.size(), 1);
    const auto both =
        static_cast<int16_t>(std::lrint((20.0f - 50.0f) / 128.0f * MixerVoiceGain * 32767.0f));
    EXPECT_EQ(output, (std::vector<int16_t>{both, both, both, both, Alone(148), Alone(148)}));
}

TEST(MixerMix, LoudVoicesAreBentTowardsFullScaleNotWrappedOrClipped) {
    // The limiter leaves quiet levels alone and bends loud ones smoothly.
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
    // Three voices at full scale either way add up to half as much again as
    // the output holds: bent, neither wrapped round to the other sign nor
    // cut flat at full scale.
    for (const uint8_t extreme : {uint8_t{255}, uint8_t{0}}) {
        Mixer mixer(ClipRate);
        for (int i = 0; i < 3; ++i)
            mixer.PlayVoice(AddClip(mixer, std::vector<uint8_t>(64, extreme)), Once, 0);
        int16_t sample = 0;
        mixer.Render(&sample, 1, 1);
        const int magnitude = extreme == 255 ? sample : -sample;
        EXPECT_GT(magnitude, static_cast<int>(MixerLimiterThreshold * 32767.0f)) << sample;
        EXPECT_LT(magnitude, 32767) << sample;
    }
}

TEST(MixerVoices, AreRefusedWhenEmptyOrFullAndFreedForReuse) {
    Mixer mixer(ClipRate);
    EXPECT_EQ(mixer.AddVoice({}, ClipRate), Mixer::NoVoice);
    EXPECT_EQ(mixer.AddVoice({0.5f}, 0), Mixer::NoVoice);
    for (int i = 0; i < Mixer::MaxVoices; ++i)
        ASSERT_EQ(mixer.AddVoice({0.5f}, ClipRate), i);
    EXPECT_EQ(mixer.AddVoice({0.5f}, ClipRate), Mixer::NoVoice);

    mixer.PlayVoice(3, Looping, 0);
    EXPECT_EQ(mixer.RemoveVoice(3), std::vector<float>{0.5f});
    int16_t sample = 1;
    mixer.Render(&sample, 1, 1);
    EXPECT_EQ(sample, 0) << "a removed voice sounds no more";
    EXPECT_EQ(mixer.AddVoice({0.25f}, ClipRate), 3);

    // Voices that do not exist are ignored.
    mixer.PlayVoice(-1, Once, 0);
    mixer.PlayVoice(Mixer::MaxVoices, Once, 0);
    mixer.RewindVoice(99);
    EXPECT_TRUE(mixer.RemoveVoice(-5).empty());
}

// --- converting clips to the device's rate ----------------------------------------

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

TEST(ConvertClip, CopiesEverySampleAtTheSameRateAndKeepsTheDurationAtOthers) {
    const std::vector<uint8_t> samples = {0, 64, 128, 192, 255};
    EXPECT_EQ(ConvertClip(samples.data(), samples.size(), ClipRate, ClipRate),
              (std::vector<float>{-1.0f, -0.5f, 0.0f, 0.5f, 127.0f / 128.0f}));
    EXPECT_TRUE(ConvertClip(samples.data(), 0, ClipRate, 48000).empty());
    EXPECT_TRUE(ConvertClip(samples.data(), samples.size(), 0, 48000).empty());
    const std::vector<uint8_t> second(ClipRate, 128);
    EXPECT_EQ(ConvertClip(second.data(), second.size(), ClipRate, 48000).size(), 48000u);
    EXPECT_EQ(ConvertClip(second.data(), second.size(), ClipRate, 44100).size(), 44100u);
    EXPECT_EQ(ConvertClip(second.data(), 3, ClipRate, 48000).size(), 14u)
        << "ceil(3 * 48000 / 11025)";
}

TEST(ConvertClip, UpsamplingKeepsTheToneAndLeavesNoImage) {
    // A 3 kHz tone is well inside the clip's band and must come through
    // whole. Repeating samples (or joining them with straight lines) would
    // add an image of it at 11025 - 3000 Hz.
    const double frequency = 3000.0;
    const std::vector<uint8_t> tone = Tone(frequency, 0.8, ClipRate);
    const std::vector<float> converted = ConvertClip(tone.data(), tone.size(), ClipRate, 48000);
    const double wanted = Amplitude(converted, frequency, 48000, 2000, 46000);
    const double image = Amplitude(converted, ClipRate - frequency, 48000, 2000, 46000);
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
