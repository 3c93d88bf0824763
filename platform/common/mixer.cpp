// SPDX-License-Identifier: MIT
#include "platform/common/mixer.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// --- clip conversion --------------------------------------------------------

// Zero crossings of the sinc on each side of the centre, counted at the
// cut-off frequency. Sixteen give a steep transition band at a cost that is
// paid once per clip.
constexpr double KernelZeroCrossings = 16.0;

// The cut-off as a fraction of the lower Nyquist frequency. The rest is the
// transition band, where the filter falls from pass to stop.
constexpr double KernelBandwidth = 0.92;

// Kaiser window shape: about 90 dB of stop-band attenuation.
constexpr double KaiserBeta = 8.6;

// Kernel table resolution: entries per input sample. The kernel between two
// entries is interpolated linearly, far below the 8-bit source's own noise.
constexpr int KernelSteps = 512;

constexpr double Pi = 3.14159265358979323846;

// The modified Bessel function of the first kind, order 0, by its series.
double BesselI0(double x) {
    double sum = 1.0;
    double term = 1.0;
    const double quarterSquare = x * x / 4.0;
    for (int k = 1; k < 64; ++k) {
        term *= quarterSquare / (static_cast<double>(k) * k);
        sum += term;
        if (term < sum * 1e-17)
            break;
    }
    return sum;
}

// The low-pass kernel, tabulated for distances 0 .. halfWidth input samples.
struct ResamplingKernel {
    double halfWidth;        // in input samples
    std::vector<float> tab;  // KernelSteps entries per input sample, and one more

    float At(double distance) const {
        const double place = std::fabs(distance) * KernelSteps;
        const size_t index = static_cast<size_t>(place);
        if (index + 1 >= tab.size())
            return 0.0f;
        const float fraction = static_cast<float>(place - static_cast<double>(index));
        return tab[index] + (tab[index + 1] - tab[index]) * fraction;
    }
};

// `cutoff` is in cycles per input sample (0.5 is the input's Nyquist).
ResamplingKernel MakeKernel(double cutoff) {
    ResamplingKernel kernel;
    kernel.halfWidth = KernelZeroCrossings / (2.0 * cutoff);
    const size_t entries = static_cast<size_t>(std::ceil(kernel.halfWidth * KernelSteps)) + 2;
    kernel.tab.resize(entries);
    const double windowNorm = BesselI0(KaiserBeta);
    for (size_t i = 0; i < entries; ++i) {
        const double t = static_cast<double>(i) / KernelSteps;
        if (t >= kernel.halfWidth) {
            kernel.tab[i] = 0.0f;
            continue;
        }
        const double x = 2.0 * cutoff * t;
        const double sinc = x == 0.0 ? 1.0 : std::sin(Pi * x) / (Pi * x);
        const double ratio = t / kernel.halfWidth;
        const double window = BesselI0(KaiserBeta * std::sqrt(1.0 - ratio * ratio)) / windowNorm;
        kernel.tab[i] = static_cast<float>(2.0 * cutoff * sinc * window);
    }
    return kernel;
}

float SampleLevel(uint8_t sample) {
    return (static_cast<float>(sample) - 128.0f) / 128.0f;
}

// --- mixing -------------------------------------------------------------------

constexpr uint64_t FixedOne = uint64_t{1} << 32;

// The rates a voice may be played at, as a sound card of the game's era
// allowed; a wild request is held to these rather than stepping absurdly.
constexpr uint32_t LowestFrequency = 100;
constexpr uint32_t HighestFrequency = 200000;

}  // namespace

std::vector<float> ConvertClip(const uint8_t* samples, size_t count, uint32_t fromRate,
                               uint32_t toRate) {
    std::vector<float> converted;
    if (samples == nullptr || count == 0 || fromRate == 0 || toRate == 0)
        return converted;
    if (fromRate == toRate) {
        converted.resize(count);
        for (size_t i = 0; i < count; ++i)
            converted[i] = SampleLevel(samples[i]);
        return converted;
    }

    const uint64_t outputCount = (static_cast<uint64_t>(count) * toRate + fromRate - 1) / fromRate;
    converted.resize(static_cast<size_t>(outputCount));

    // Cut off below the lower Nyquist frequency of the two rates: going up,
    // that removes the images of the source spectrum; going down, it removes
    // what would alias.
    const double ratio = static_cast<double>(toRate) / fromRate;
    const double cutoff = 0.5 * KernelBandwidth * std::min(1.0, ratio);
    const ResamplingKernel kernel = MakeKernel(cutoff);

    const double inputStep = static_cast<double>(fromRate) / toRate;
    const long long last = static_cast<long long>(count) - 1;
    for (size_t n = 0; n < converted.size(); ++n) {
        const double centre = static_cast<double>(n) * inputStep;
        const long long first =
            std::max(0LL, static_cast<long long>(std::ceil(centre - kernel.halfWidth)));
        const long long end =
            std::min(last, static_cast<long long>(std::floor(centre + kernel.halfWidth)));
        // Samples beyond the clip's ends count as silence.
        double sum = 0.0;
        for (long long k = first; k <= end; ++k) {
            sum += SampleLevel(samples[k]) * kernel.At(centre - static_cast<double>(k));
        }
        converted[n] = static_cast<float>(sum);
    }
    return converted;
}

float LimitLevel(float level) {
    const float magnitude = std::fabs(level);
    if (magnitude <= MixerLimiterThreshold)
        return level;
    const float knee = 1.0f - MixerLimiterThreshold;
    const float limited =
        MixerLimiterThreshold + knee * std::tanh((magnitude - MixerLimiterThreshold) / knee);
    return std::copysign(limited, level);
}

Mixer::Mixer(uint32_t outputRate) : outputRate_(outputRate) {}

bool Mixer::Valid(int voice) const {
    return voice >= 0 && voice < MaxVoices && !voices_[voice].clip.empty();
}

int Mixer::AddVoice(std::vector<float>&& clip, uint32_t clipRate) {
    if (clip.empty() || clipRate == 0)
        return NoVoice;
    for (int index = 0; index < MaxVoices; ++index) {
        Voice& voice = voices_[index];
        if (!voice.clip.empty())
            continue;
        voice = Voice();
        voice.clip = std::move(clip);
        voice.clipRate = clipRate;
        voice.step = FixedOne;
        return index;
    }
    return NoVoice;
}

std::vector<float> Mixer::RemoveVoice(int voice) {
    if (!Valid(voice))
        return {};
    std::vector<float> clip = std::move(voices_[voice].clip);
    voices_[voice] = Voice();
    return clip;
}

void Mixer::PlayVoice(int voice, PlayMode mode, uint32_t frequency) {
    if (!Valid(voice))
        return;
    Voice& entry = voices_[voice];
    if (frequency == 0) {
        entry.step = FixedOne;
    } else {
        const uint64_t rate = std::clamp(frequency, LowestFrequency, HighestFrequency);
        entry.step = (rate << 32) / entry.clipRate;
    }
    switch (mode) {
        case Stopped:
            entry.playing = false;
            break;
        case Once:
            // A stop, then a play from wherever the voice stands: a sound
            // cut part-way goes on from there rather than starting over.
            entry.playing = true;
            entry.looping = false;
            break;
        case Looping:
            entry.playing = true;
            entry.looping = true;
            break;
    }
}

void Mixer::RewindVoice(int voice) {
    if (Valid(voice))
        voices_[voice].position = 0;
}

bool Mixer::IsPlaying(int voice) const {
    return Valid(voice) && voices_[voice].playing;
}

bool Mixer::IsLooping(int voice) const {
    return Valid(voice) && voices_[voice].looping;
}

uint64_t Mixer::Position(int voice) const {
    return Valid(voice) ? voices_[voice].position >> 32 : 0;
}

void Mixer::MixVoice(Voice& voice, float* sum, size_t frames) {
    const float* clip = voice.clip.data();
    const size_t size = voice.clip.size();
    const uint64_t length = static_cast<uint64_t>(size) << 32;
    uint64_t position = voice.position;
    for (size_t i = 0; i < frames; ++i) {
        const size_t index = static_cast<size_t>(position >> 32);
        const uint32_t fraction = static_cast<uint32_t>(position);
        float level = clip[index];
        if (fraction != 0) {
            // Between two samples (a voice played at another rate than its
            // own): interpolate towards the next one, which for a loop is the
            // clip's first sample and after a single play is silence.
            const float next = index + 1 < size ? clip[index + 1] : voice.looping ? clip[0] : 0.0f;
            level += (next - level) * (static_cast<float>(fraction) * (1.0f / 4294967296.0f));
        }
        sum[i] += level;
        position += voice.step;
        if (position >= length) {
            if (voice.looping) {
                position %= length;
            } else {
                voice.playing = false;
                position = 0;
                break;
            }
        }
    }
    voice.position = position;
}

void Mixer::Render(int16_t* output, size_t frames, int channels) {
    if (output == nullptr || channels < 1)
        return;
    while (frames > 0) {
        const size_t chunk = std::min(frames, ChunkFrames);
        std::fill(sum_.begin(), sum_.begin() + chunk, 0.0f);
        for (Voice& voice : voices_) {
            if (voice.playing && !voice.clip.empty())
                MixVoice(voice, sum_.data(), chunk);
        }
        for (size_t i = 0; i < chunk; ++i) {
            const float level = LimitLevel(sum_[i] * MixerVoiceGain);
            const auto sample = static_cast<int16_t>(std::lrint(level * 32767.0f));
            for (int channel = 0; channel < channels; ++channel)
                *output++ = sample;
        }
        frames -= chunk;
    }
}
