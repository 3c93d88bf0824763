// SPDX-License-Identifier: MIT
#include "sound/sound.h"

#include <cstring>

const char* const SoundResourceNames[LoadedSlotCount] = {
    "bang", "do", "geco", "bgm", "jyan", "wao", "ya", "this", "bgmx",
};

int32_t SoundDevice;
VoiceHandle SoundSlots[SoundSlotCount];

namespace {

// The canonical 44-byte RIFF WAVE header every clip of the game uses.
constexpr size_t WaveHeaderBytes = 44;

// The sample rates sound cards and WAVE files use, from the telephone's to
// the studio's. A clip claiming any other rate is damaged: converting it for
// the device would take unbounded time (a rate of millions) or memory (a
// rate of a few samples a second).
constexpr uint32_t LowestClipRate = 8000;
constexpr uint32_t HighestClipRate = 192000;

uint32_t ReadLittleEndian(const uint8_t* bytes, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

bool HasTag(const uint8_t* bytes, const char* tag) {
    return std::memcmp(bytes, tag, 4) == 0;
}

bool ValidSlot(int32_t slot) {
    return slot >= 0 && slot < SoundSlotCount;
}

// The voice behind a slot, or NoVoice when there is no device or no sound.
VoiceHandle SlotVoice(int32_t slot) {
    if (!SoundDevice || !ValidSlot(slot))
        return NoVoice;
    return SoundSlots[slot];
}

}  // namespace

int InitSound(WindowHandle window) {
    for (VoiceHandle& voice : SoundSlots)
        voice = NoVoice;
    SoundDevice = OpenAudio(window) ? 1 : 0;
    return SoundDevice;
}

int LoadWave(int32_t slot, const char* name) {
    if (!ValidSlot(slot))
        return 0;
    SoundSlots[slot] = NoVoice;
    ResourceData resource;
    if (!FindResource(name, "WAVE", &resource))
        return 0;

    // Trust nothing the resource says about itself until it is checked: a
    // damaged clip is refused rather than read past its end.
    const uint8_t* image = resource.bytes;
    if (resource.size < WaveHeaderBytes)
        return 0;
    if (!HasTag(image, "RIFF") || !HasTag(image + 8, "WAVE") || !HasTag(image + 12, "fmt ") ||
        !HasTag(image + 36, "data")) {
        return 0;
    }
    const uint32_t formatTag = ReadLittleEndian(image + 20, 2);
    const uint32_t channels = ReadLittleEndian(image + 22, 2);
    const uint32_t rate = ReadLittleEndian(image + 24, 4);
    const uint32_t bitsPerSample = ReadLittleEndian(image + 34, 2);
    const uint32_t sampleBytes = ReadLittleEndian(image + 40, 4);
    if (formatTag != 1 || channels != 1 || bitsPerSample != 8)
        return 0;
    if (rate < LowestClipRate || rate > HighestClipRate)
        return 0;
    if (sampleBytes == 0 || sampleBytes > resource.size - WaveHeaderBytes)
        return 0;

    // Without a device there is nothing to load into, and that is not the
    // sound's fault: an intact clip still counts as loaded.
    if (!SoundDevice)
        return 1;
    const VoiceHandle voice = CreateVoice(name, image + WaveHeaderBytes, sampleBytes, rate);
    if (voice == NoVoice)
        return 0;
    SoundSlots[slot] = voice;
    return 1;
}

void PlaySlot(int32_t slot, PlayMode mode, uint32_t frequency) {
    const VoiceHandle voice = SlotVoice(slot);
    if (voice == NoVoice)
        return;
    if (mode != Stopped && mode != Once && mode != Looping)
        return;  // any other mode does nothing
    PlayVoice(voice, mode, frequency);
}

void RewindSlot(int32_t slot) {
    const VoiceHandle voice = SlotVoice(slot);
    if (voice != NoVoice)
        RewindVoice(voice);
}

void ReleaseSound() {
    for (VoiceHandle& voice : SoundSlots) {
        if (SoundDevice && voice != NoVoice)
            DestroyVoice(voice);
        voice = NoVoice;
    }
    if (SoundDevice)
        CloseAudio();
    SoundDevice = 0;
}

void ResetSound() {
    for (VoiceHandle& voice : SoundSlots)
        voice = NoVoice;
    SoundDevice = 0;
}

// The start values are the reset values, written once, above.
static const bool SoundStarted = (ResetSound(), true);
