// Any bytes as a WAVE resource: the loader must refuse damaged clips and
// never read past the resource's end.
#include <cstdint>
#include <vector>

#include "platform/headless/headless.h"
#include "sound/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    HeadlessReset();
    HeadlessAddResource("clip", "WAVE", std::vector<uint8_t>(data, data + size));
    InitSound(nullptr);
    if (LoadWave(SoundBang, "clip")) {
        PlaySlot(SoundBang, Once, 0);
        RewindSlot(SoundBang);
    }
    ReleaseSound();
    return 0;
}
