// SPDX-License-Identifier: MIT
#include "tests/support/test_sounds.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/headless/headless.h"
#include "sound/sound.h"

namespace {

void PutLittleEndian(std::vector<uint8_t>* bytes, size_t at, uint32_t value, int count) {
    for (int i = 0; i < count; ++i)
        (*bytes)[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> MakeTestWave(uint32_t samples) {
    std::vector<uint8_t> bytes(44 + samples, 128);
    std::memcpy(&bytes[0], "RIFF", 4);
    PutLittleEndian(&bytes, 4, static_cast<uint32_t>(bytes.size() - 8), 4);
    std::memcpy(&bytes[8], "WAVEfmt ", 8);
    PutLittleEndian(&bytes, 16, 16, 4);     // size of the format record
    PutLittleEndian(&bytes, 20, 1, 2);      // PCM
    PutLittleEndian(&bytes, 22, 1, 2);      // mono
    PutLittleEndian(&bytes, 24, 11025, 4);  // samples per second
    PutLittleEndian(&bytes, 28, 11025, 4);  // bytes per second
    PutLittleEndian(&bytes, 32, 1, 2);      // block alignment
    PutLittleEndian(&bytes, 34, 8, 2);      // bits per sample
    std::memcpy(&bytes[36], "data", 4);
    PutLittleEndian(&bytes, 40, samples, 4);
    return bytes;
}

void LoadTestSounds() {
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot) {
        HeadlessAddResource(SoundResourceNames[slot], "WAVE", MakeTestWave(64));
    }
    ASSERT_EQ(InitSound(nullptr), 1) << "the headless sound device did not open";
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot) {
        ASSERT_EQ(LoadWave(slot, SoundResourceNames[slot]), 1) << SoundResourceNames[slot];
    }
    HeadlessClearLog();
}
