// SPDX-License-Identifier: MIT
// Any bytes as a WAVE resource: the loader must refuse damaged clips and
// never read past the resource's end, and a clip it accepts must be one the
// sound device can take: converted to the device's rate and mixed, looping,
// without unbounded memory or time.
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/common/mixer.h"
#include "platform/headless/headless.h"
#include "sound/sound.h"

namespace {

// What the SDL device does with a clip: the game's samples start at byte
// 44, their count at byte 40 and their rate at byte 24 of an accepted clip.
void PlayLikeTheDevice(const uint8_t* data) {
    uint32_t count = 0;
    uint32_t rate = 0;
    for (int i = 3; i >= 0; --i) {
        count = (count << 8) | data[40 + i];
        rate = (rate << 8) | data[24 + i];
    }
    Mixer mixer(48000);
    const int voice = mixer.AddVoice(ConvertClip(data + 44, count, rate, mixer.OutputRate()), rate);
    if (voice == Mixer::NoVoice)
        return;
    mixer.PlayVoice(voice, Looping, 0);
    int16_t output[2 * 512];
    mixer.Render(output, 512, 2);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeadlessReset();
    HeadlessAddResource("clip", "WAVE", std::vector<uint8_t>(data, data + size));
    InitSound(nullptr);
    if (LoadWave(SoundBang, "clip")) {
        PlaySlot(SoundBang, Once, 0);
        RewindSlot(SoundBang);
        PlayLikeTheDevice(data);
    }
    ReleaseSound();
    return 0;
}
