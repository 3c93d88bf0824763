// SPDX-License-Identifier: MIT
// A map's options and best time on a page: between the settings file the
// game reads at start-up and writes when it closes, and the entry the page
// keeps of it in the browser's storage (platform/web/page_storage.h).
//
// The page has no folder beside the map to keep the file in, and may be
// closed at any moment without the game's close. So the stored entry is put
// in the file's place before the game reads it, and the file the game's own
// writer makes is stored again whenever an option or the best time changes,
// and when the page is hidden or closed.
#pragma once

#include <cstdint>
#include <string>

// Puts a map's stored settings where the game will read them: the settings
// file that belongs to `mapPath` is written from `entry`, or removed when
// there is no entry (null) or it is not one the game wrote, so the game
// starts with its defaults and never with a file left by another map.
void PlaceStoredSettings(const char* mapPath, const std::string* entry);

// The options and the best time, as they stand.
struct SettingsSnapshot {
    int32_t questionMarksOn = 0;
    int32_t soundOn = 0;
    int32_t animationOn = 0;
    int32_t highScore = 0;
    std::string highScoreName;
    std::string spareText;

    bool operator==(const SettingsSnapshot& other) const;
    bool operator!=(const SettingsSnapshot& other) const { return !(*this == other); }
};
SettingsSnapshot TakeSettingsSnapshot();

// The entry for the page to keep: the game's settings file, written now by
// the game's own writer. False when it could not be written or read back.
bool MakeSettingsEntry(std::string* entry);
