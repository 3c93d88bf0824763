// SPDX-License-Identifier: MIT
// The sound device: one SDL audio device whose callback does nothing but
// ask the mixer for the next buffer.
//
// The game thread changes voices under the device lock, holding it only to
// set a few fields; everything that allocates or frees (converting a clip,
// freeing one) happens outside it, so the callback never waits long and
// never touches the heap. The device buffer is small (512 frames, about
// 11 ms at 48 kHz), so a cue starts within one buffer of being asked for.
//
// Clips are converted to the device's rate on a thread of their own (see
// clip_converter.h): a voice is made at once and gets its clip into the
// mixer when it is first played, rewound or let go, waiting for the
// conversion only if it is not done by then.
#include <cstdio>
#include <future>
#include <memory>
#include <utility>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/platform.h"
#include "platform/sdl/clip_converter.h"
#include "platform/sdl/sdl_backend.h"

namespace {

constexpr int PreferredRate = 48000;
constexpr Uint16 BufferFrames = 512;

SDL_AudioDeviceID Device = 0;
int Channels = 0;
std::unique_ptr<Mixer> TheMixer;
std::unique_ptr<ClipConverter> Converter;

// The game's voices: its handle is the place in this table. A voice is
// waiting for its clip until first used, then stands for a mixer voice.
struct GameVoice {
    bool inUse = false;
    std::future<std::vector<float>> pending;  // valid while waiting
    uint32_t clipRate = 0;
    int mixerVoice = Mixer::NoVoice;
};
std::vector<GameVoice> Voices;

void MixAudio(void*, Uint8* stream, int length) {
    const size_t frames = static_cast<size_t>(length) / (sizeof(int16_t) * Channels);
    TheMixer->Render(reinterpret_cast<int16_t*>(stream), frames, Channels);
}

// Holds the device lock for one short change.
class DeviceLock {
  public:
    DeviceLock() { SDL_LockAudioDevice(Device); }
    ~DeviceLock() { SDL_UnlockAudioDevice(Device); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;
};

bool IsGameVoice(VoiceHandle handle) {
    return handle >= 0 && static_cast<size_t>(handle) < Voices.size() && Voices[handle].inUse;
}

// The mixer voice behind a handle, its clip put in place first if it is
// still waiting; Mixer::NoVoice for a handle that is not a voice.
int MixerVoiceOf(VoiceHandle handle) {
    if (!IsGameVoice(handle))
        return Mixer::NoVoice;
    GameVoice& voice = Voices[handle];
    if (voice.pending.valid()) {
        std::vector<float> clip = voice.pending.get();
        {
            DeviceLock lock;
            voice.mixerVoice = TheMixer->AddVoice(std::move(clip), voice.clipRate);
        }
        // A clip the mixer had no room for is freed here, outside the lock.
    }
    return voice.mixerVoice;
}

}  // namespace

int OpenAudio(WindowHandle) {
    if (Device != 0)
        return 1;
    // No sound device is not the program's fault: the game runs silently.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "torvex: playing without sound: %s\n", SDL_GetError());
        return 0;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = PreferredRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = BufferFrames;
    wanted.callback = MixAudio;
    SDL_AudioSpec obtained{};
    // The device's own rate and channel count are taken as they are (the
    // clips are converted to the rate once, at load); the sample format
    // stays 16-bit, which SDL converts to whatever the device wants.
    Device =
        SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                            SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    if (Device == 0) {
        std::fprintf(stderr, "torvex: playing without sound: %s\n", SDL_GetError());
        StopSdl(SDL_INIT_AUDIO);
        return 0;
    }
    Channels = obtained.channels;
    TheMixer = std::make_unique<Mixer>(static_cast<uint32_t>(obtained.freq));
    Converter = std::make_unique<ClipConverter>(TheMixer->OutputRate());
    SDL_PauseAudioDevice(Device, 0);
    return 1;
}

VoiceHandle CreateVoice(const char*, const uint8_t* samples, uint32_t count, uint32_t rate) {
    if (Device == 0 || samples == nullptr || count == 0 || rate == 0)
        return NoVoice;
    // The mixer's voices are the limit, counted here, since the clips reach
    // the mixer only later; the first free place is taken, as the mixer does.
    size_t place = 0;
    size_t inUse = 0;
    for (size_t i = Voices.size(); i-- > 0;) {
        if (Voices[i].inUse)
            ++inUse;
        else
            place = i;
    }
    if (inUse >= static_cast<size_t>(Mixer::MaxVoices))
        return NoVoice;
    if (inUse == Voices.size())
        place = Voices.size();
    if (place == Voices.size())
        Voices.emplace_back();
    GameVoice& voice = Voices[place];
    voice.inUse = true;
    voice.clipRate = rate;
    voice.mixerVoice = Mixer::NoVoice;
    voice.pending = Converter->Convert(samples, count, rate);
    return static_cast<VoiceHandle>(place);
}

void PlayVoice(VoiceHandle voice, PlayMode mode, uint32_t frequency) {
    if (Device == 0)
        return;
    const int mixerVoice = MixerVoiceOf(voice);
    DeviceLock lock;
    TheMixer->PlayVoice(mixerVoice, mode, frequency);
}

void RewindVoice(VoiceHandle voice) {
    if (Device == 0)
        return;
    const int mixerVoice = MixerVoiceOf(voice);
    DeviceLock lock;
    TheMixer->RewindVoice(mixerVoice);
}

void DestroyVoice(VoiceHandle handle) {
    if (Device == 0 || !IsGameVoice(handle))
        return;
    GameVoice& voice = Voices[handle];
    std::vector<float> clip;
    if (!voice.pending.valid()) {
        DeviceLock lock;
        clip = TheMixer->RemoveVoice(voice.mixerVoice);
    }
    // A clip still being converted is dropped when it is done.
    voice = GameVoice();
    // `clip` is freed here, after the lock is let go.
}

bool AudioDeviceFormat(int* rate, int* channels) {
    if (Device == 0)
        return false;
    *rate = static_cast<int>(TheMixer->OutputRate());
    *channels = Channels;
    return true;
}

void CloseAudio() {
    if (Device == 0)
        return;
    // Closing the device ends the callback for good; only then may the
    // mixer and its clips go.
    SDL_CloseAudioDevice(Device);
    Device = 0;
    // Clips still being converted are waited for or dropped.
    Voices.clear();
    Converter.reset();
    TheMixer.reset();
    StopSdl(SDL_INIT_AUDIO);
}
