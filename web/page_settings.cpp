// SPDX-License-Identifier: MIT
#include "web/page_settings.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "files/map_file.h"
#include "files/settings.h"
#include "platform/web/page_storage.h"
#include "state/options.h"

namespace {

bool ReadWholeFile(const char* path, std::string* bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool WriteWholeFile(const char* path, const std::string& bytes) {
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

void PlaceStoredSettings(const char* mapPath, const std::string* entry) {
    char settingsPath[PathCapacity];
    DeriveSettingsPath(mapPath, settingsPath, sizeof(settingsPath));
    if (settingsPath[0] == '\0')
        return;
    std::string bytes;
    if (entry != nullptr && FileFromStorageEntry(*entry, &bytes) &&
        WriteWholeFile(settingsPath, bytes)) {
        return;
    }
    std::remove(settingsPath);
}

bool SettingsSnapshot::operator==(const SettingsSnapshot& other) const {
    return questionMarksOn == other.questionMarksOn && soundOn == other.soundOn &&
           animationOn == other.animationOn && highScore == other.highScore &&
           highScoreName == other.highScoreName && spareText == other.spareText;
}

SettingsSnapshot TakeSettingsSnapshot() {
    SettingsSnapshot snapshot;
    snapshot.questionMarksOn = QuestionMarksOn;
    snapshot.soundOn = SoundOn;
    snapshot.animationOn = AnimationOn;
    snapshot.highScore = HighScore;
    snapshot.highScoreName = HighScoreName;
    snapshot.spareText = SpareText;
    return snapshot;
}

bool MakeSettingsEntry(std::string* entry) {
    if (SettingsPath[0] == '\0')
        return false;
    SaveSettings();
    std::string bytes;
    if (!ReadWholeFile(SettingsPath, &bytes))
        return false;
    *entry = StorageEntryFromFile(bytes);
    return true;
}
