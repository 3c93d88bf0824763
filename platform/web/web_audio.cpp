// SPDX-License-Identifier: MIT
// The sound device on a page: WebAudio.
//
// The audio context runs at the rate of the game's clips where the browser
// allows it, and converts its output to the sound device's rate itself, with
// a band-limited resampler, off the page's main thread. Each clip is then
// converted once, when the game loads it, from 8-bit samples to the
// browser's, and handed over as a buffer (a clip at another rate goes
// through the mixer's own resampler first). Playing it is the browser's
// work. Where each voice stands on its clip is kept here, from the audio
// clock, so stopping, playing on and rewinding follow the game's rules. The
// browser lets a page sound only after the player has clicked or pressed a
// key on it: until then the context stands still, and so does every voice.
#include <memory>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/platform.h"
#include "platform/web/voice_timeline.h"
#include "platform/web/web_backend.h"

namespace {

// The mix goes through the desktop's own limiter: the sum of the voices,
// each at the mixer's gain, bent by LimitLevel. The browser applies it as a
// curve over [-1, 1], so the sum is scaled down by this much on the way in;
// it covers eight voices at full scale, and louder moments stay at the top.
constexpr float LimiterRange = 4.0f;
constexpr int LimiterPoints = 4097;

// The rate of every clip the game ships. Converting them to a device's
// 44.1 or 48 kHz on the page's main thread would hold the page still for
// about a second at each start.
constexpr int ClipRate = 11025;

uint32_t OutputRate = 0;

// Indexed by the voice handle, which is also the page's number for the clip.
std::vector<std::unique_ptr<VoiceTimeline>> Voices;

VoiceTimeline* Find(VoiceHandle voice) {
    if (OutputRate == 0 || voice < 0 || static_cast<size_t>(voice) >= Voices.size())
        return nullptr;
    return Voices[static_cast<size_t>(voice)].get();
}

void Carry(VoiceHandle voice, const VoiceAction& action) {
    torvex_audio_act(voice, action.stop ? 1 : 0, action.start ? 1 : 0, action.offset,
                     action.loop ? 1 : 0, action.speed);
}

}  // namespace

int OpenAudio(WindowHandle) {
    if (OutputRate != 0)
        return 1;
    std::vector<float> limiter(LimiterPoints);
    for (int i = 0; i < LimiterPoints; ++i) {
        const float input = -1.0f + 2.0f * static_cast<float>(i) / (LimiterPoints - 1);
        limiter[static_cast<size_t>(i)] = LimitLevel(input * LimiterRange);
    }
    const int rate =
        torvex_audio_open(ClipRate, MixerVoiceGain / LimiterRange, limiter.data(), LimiterPoints);
    if (rate <= 0)
        return 0;  // no WebAudio: the game plays silently
    OutputRate = static_cast<uint32_t>(rate);
    return 1;
}

VoiceHandle CreateVoice(const char*, const uint8_t* samples, uint32_t count, uint32_t rate) {
    if (OutputRate == 0 || samples == nullptr || count == 0 || rate == 0)
        return NoVoice;
    const std::vector<float> clip = ConvertClip(samples, count, rate, OutputRate);
    const int voice = torvex_audio_add_clip(clip.data(), static_cast<int>(clip.size()),
                                            static_cast<int>(OutputRate));
    if (voice < 0)
        return NoVoice;
    if (static_cast<size_t>(voice) >= Voices.size())
        Voices.resize(static_cast<size_t>(voice) + 1);
    Voices[static_cast<size_t>(voice)] =
        std::make_unique<VoiceTimeline>(static_cast<double>(clip.size()) / OutputRate, rate);
    return voice;
}

void PlayVoice(VoiceHandle voice, PlayMode mode, uint32_t frequency) {
    VoiceTimeline* timeline = Find(voice);
    if (timeline != nullptr)
        Carry(voice, timeline->Play(mode, frequency, torvex_audio_time()));
}

void RewindVoice(VoiceHandle voice) {
    VoiceTimeline* timeline = Find(voice);
    if (timeline != nullptr)
        Carry(voice, timeline->Rewind(torvex_audio_time()));
}

void DestroyVoice(VoiceHandle voice) {
    if (Find(voice) == nullptr)
        return;
    torvex_audio_remove(voice);
    Voices[static_cast<size_t>(voice)].reset();
}

void CloseAudio() {
    if (OutputRate == 0)
        return;
    torvex_audio_close();
    Voices.clear();
    OutputRate = 0;
}
