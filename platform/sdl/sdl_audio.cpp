// SPDX-License-Identifier: MIT
// The sound device: one SDL audio device whose callback does nothing but
// ask the mixer for the next buffer.
//
// The game thread changes voices under the device lock, holding it only to
// set a few fields; everything that allocates or frees (converting a clip,
// freeing one) happens outside it, so the callback never waits long and
// never touches the heap. The device buffer is small (512 frames, about
// 11 ms at 48 kHz), so a cue starts within one buffer of being asked for.
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"

namespace {

constexpr int PreferredRate = 48000;
constexpr Uint16 BufferFrames = 512;

SDL_AudioDeviceID Device = 0;
int Channels = 0;
std::unique_ptr<Mixer> TheMixer;

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
    SDL_PauseAudioDevice(Device, 0);
    return 1;
}

VoiceHandle CreateVoice(const char*, const uint8_t* samples, uint32_t count, uint32_t rate) {
    if (Device == 0 || samples == nullptr || count == 0 || rate == 0)
        return NoVoice;
    std::vector<float> clip = ConvertClip(samples, count, rate, TheMixer->OutputRate());
    int voice = Mixer::NoVoice;
    {
        DeviceLock lock;
        voice = TheMixer->AddVoice(std::move(clip), rate);
    }
    // A clip the mixer had no room for is freed here, outside the lock.
    return voice == Mixer::NoVoice ? NoVoice : static_cast<VoiceHandle>(voice);
}

void PlayVoice(VoiceHandle voice, PlayMode mode, uint32_t frequency) {
    if (Device == 0)
        return;
    DeviceLock lock;
    TheMixer->PlayVoice(voice, mode, frequency);
}

void RewindVoice(VoiceHandle voice) {
    if (Device == 0)
        return;
    DeviceLock lock;
    TheMixer->RewindVoice(voice);
}

void DestroyVoice(VoiceHandle voice) {
    if (Device == 0)
        return;
    std::vector<float> clip;
    {
        DeviceLock lock;
        clip = TheMixer->RemoveVoice(voice);
    }
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
    TheMixer.reset();
    StopSdl(SDL_INIT_AUDIO);
}
