// SPDX-License-Identifier: MIT
// Torvex on a web page: the game on the web backend.
//
// The page (web/page/) lists the maps; the one the player chooses is
// written into the page's file system and handed to the game as the
// desktop's command line would name it. Each map's options and best time
// live in the browser's storage between visits. When the game closes (its
// menu's exit, or another map chosen on the page), the next one starts.
#include <string>

#include "app/main_loop.h"
#include "platform/web/web_page.h"
#include "web/page_settings.h"

namespace {

// The entry of the map being played, and what it last stored.
std::string StorageKey;
SettingsSnapshot Stored;
bool GameRunning = false;
bool FirstGame = true;

void PrepareMap(const char* mapPath, const std::string& storageKey) {
    StorageKey = storageKey;
    std::string entry;
    const bool stored = ReadPageStorage(storageKey, &entry);
    PlaceStoredSettings(mapPath, stored ? &entry : nullptr);
}

void StoreSettings() {
    if (!GameRunning || StorageKey.empty())
        return;
    std::string entry;
    if (MakeSettingsEntry(&entry))
        WritePageStorage(StorageKey, entry);
    Stored = TakeSettingsSnapshot();
}

}  // namespace

int StartPageGame() {
    // Every game starts from a fresh program state, as a new process would.
    if (!FirstGame)
        ResetGame();
    FirstGame = false;
    const std::string chosen = TakeChosenMapPath();
    if (!StartUpGame(chosen.c_str()))
        return 0;
    GameRunning = true;
    Stored = TakeSettingsSnapshot();
    return 1;
}

int RunPagePass() {
    if (!RunMainLoopPass()) {
        // The game wrote its settings as it closed; the page keeps them.
        StoreSettings();
        GameRunning = false;
        return 0;
    }
    if (TakeSettingsSnapshot() != Stored)
        StoreSettings();
    return 1;
}

int main() {
    SetMapPreparer(PrepareMap);
    SetPageHiddenHandler(StoreSettings);
    RunGamesOnPage();
    return 0;
}
