// SPDX-License-Identifier: MIT
// Any bytes as a settings file: read without harm, every field within its
// buffer, and a save of what was read must read back the same.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/map_file.h"
#include "files/settings.h"
#include "state/options.h"

namespace {

// The file is written and replaced a few times per input, so it lives in
// memory when the machine offers a memory-backed folder.
std::string ScratchPath() {
    const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return std::string(folder) + "/torvex-fuzz-settings-" + std::to_string(getpid()) + ".tvh";
}

bool WriteFile(const char* path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = ScratchPath();
    if (!WriteFile(path.c_str(), data, size))
        return 0;
    std::snprintf(SettingsPath, sizeof(SettingsPath), "%s", path.c_str());
    ResetOptions();
    LoadSettings();
    if (std::strlen(HighScoreName) >= HighScoreNameCapacity ||
        std::strlen(SpareText) >= SpareTextCapacity || HighScore < 0) {
        __builtin_trap();
    }
    const int32_t flags[3] = {QuestionMarksOn, SoundOn, AnimationOn};
    const int32_t score = HighScore;
    char name[HighScoreNameCapacity];
    char spare[SpareTextCapacity];
    std::memcpy(name, HighScoreName, sizeof(name));
    std::memcpy(spare, SpareText, sizeof(spare));

    // Names and spare texts from a hand-edited file may hold commas or bytes
    // the reader drops; only texts without them survive a round trip.
    const bool plainTexts =
        std::strpbrk(name, ",") == nullptr && std::strpbrk(spare, ",") == nullptr;
    SaveSettings();
    ResetOptions();
    LoadSettings();
    if (QuestionMarksOn != flags[0] || SoundOn != flags[1] || AnimationOn != flags[2] ||
        HighScore != score ||
        (plainTexts &&
         (std::strcmp(name, HighScoreName) != 0 || std::strcmp(spare, SpareText) != 0))) {
        __builtin_trap();
    }
    std::remove(path.c_str());
    return 0;
}
