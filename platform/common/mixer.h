// SPDX-License-Identifier: MIT
// The sound mixer: voices in, samples out.
//
// The game treats each of its sounds as a little tape that can be played
// once, looped, stopped and rewound, and expects the machine to mix whatever
// is playing. This is that machine, as plain code with no audio library in
// it, so the audio backend only has to hand it the device's buffer and tests
// can pull samples from it directly.
//
// The rules a voice follows:
//   - play once starts at the current position; at the end of the clip the
//     voice stops with its position back at 0, so the next play-once starts
//     the clip afresh, while one stopped part-way goes on from there;
//   - looping plays on from the current position and wraps to the start;
//   - stopping keeps the position; rewinding puts it at the start;
//   - frequency 0 plays the clip at its own rate, any other value at that
//     rate (the pitch follows, as on a tape).
//
// Clips arrive as unsigned 8-bit mono samples (silence is 128) at their own
// rate and are converted once, when the voice is made, to the output rate
// with a windowed-sinc resampler, so that nothing is converted while mixing.
//
// The mixer is not thread-safe by itself: the audio backend calls Render
// from its device thread and everything else from the game thread under the
// device's lock. Render never allocates, frees or blocks; the only calls
// that allocate (ConvertClip, the clip vectors moved in and out by AddVoice
// and RemoveVoice) are meant to run outside that lock.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/platform.h"

// Converts unsigned 8-bit mono samples at `fromRate` into floating-point
// samples in [-1, 1) at `toRate`. Equal rates copy the samples exactly; other
// rates go through a band-limited (windowed-sinc) interpolation whose cut-off
// lies below the lower of the two Nyquist frequencies, so that neither
// up- nor down-sampling leaves images or aliases. The result has
// ceil(count * toRate / fromRate) samples.
std::vector<float> ConvertClip(const uint8_t* samples, size_t count, uint32_t fromRate,
                               uint32_t toRate);

// The gain each voice is mixed with: one voice at full scale leaves 6 dB of
// headroom, so two loud sounds at once still fit before the limiter acts.
constexpr float MixerVoiceGain = 0.5f;

// Mixed levels up to this stay untouched; above it the limiter bends them
// smoothly towards full scale instead of clipping them hard.
constexpr float MixerLimiterThreshold = 0.75f;

// The limiter's curve: identity up to the threshold, then a soft knee that
// never reaches full scale. `level` is the sum of the voices times the gain.
float LimitLevel(float level);

class Mixer {
  public:
    static constexpr int MaxVoices = 32;
    static constexpr int NoVoice = -1;

    explicit Mixer(uint32_t outputRate = 48000);

    uint32_t OutputRate() const { return outputRate_; }

    // Installs a clip already converted to the output rate (ConvertClip), as
    // recorded at `clipRate`. The voice starts stopped at position 0. Returns
    // the voice number, or NoVoice when the clip is empty, the rate is 0 or
    // every voice is taken. The clip's storage is moved in, not copied.
    int AddVoice(std::vector<float>&& clip, uint32_t clipRate);

    // Takes a voice's clip out, leaving the voice free for reuse. The caller
    // frees the returned storage (outside any lock the callback needs).
    std::vector<float> RemoveVoice(int voice);

    // Sets the rate the voice plays at (0: its clip's own rate), then stops
    // it, stops it and plays it once, or plays it looping, all from the
    // current position. Out-of-range voices are ignored.
    void PlayVoice(int voice, PlayMode mode, uint32_t frequency);

    // Moves the voice's position to the start of its clip, playing or not.
    void RewindVoice(int voice);

    bool IsPlaying(int voice) const;
    bool IsLooping(int voice) const;

    // The play position in samples of the converted clip (whole samples).
    uint64_t Position(int voice) const;

    // Mixes the next `frames` frames into `output`, `channels` interleaved
    // signed 16-bit samples per frame, the same mono mix on every channel.
    // Advances every playing voice. Never allocates.
    void Render(int16_t* output, size_t frames, int channels);

  private:
    struct Voice {
        std::vector<float> clip;  // at the output rate; empty when free
        uint32_t clipRate = 0;    // the rate the clip was recorded at
        uint64_t position = 0;    // 32.32 fixed point, in clip samples
        uint64_t step = 0;        // position advance per output frame
        bool playing = false;
        bool looping = false;
    };

    bool Valid(int voice) const;
    void MixVoice(Voice& voice, float* sum, size_t frames);

    uint32_t outputRate_;
    std::array<Voice, MaxVoices> voices_;
    static constexpr size_t ChunkFrames = 256;
    std::array<float, ChunkFrames> sum_{};
};
