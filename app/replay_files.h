// SPDX-License-Identifier: MIT
// The replay folder: every finished game is kept there as
// MAPNAME-YYYYMMDD-HHMMSS-won-123s.tvr (or -lost-), written whole through a
// temporary file and a rename. The folder keeps the best 20 won games of each
// map and the last 50 games overall, and deletes only files named like that.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

constexpr int32_t KeptBestPerMap = 20;
constexpr int32_t KeptLatest = 50;

// The map's name as it may stand in a file name: letters, digits and '_'
// ("map" when none is left).
std::string ReplayMapPart(const char* mapName);

// The file name of a game finished at `when` (local time) after `seconds`.
std::string ReplayFileName(const char* mapName, std::time_t when, bool won, uint32_t seconds);

// What a file name says, when it is one of ours.
struct KeptReplayName {
    std::string map;    // the map part
    std::string stamp;  // YYYYMMDD-HHMMSS
    bool won = false;
    uint32_t seconds = 0;
    uint32_t copy = 1;  // 2, 3, ... for a second game finished in the same second
};
bool ParseReplayFileName(const std::string& name, KeptReplayName* parsed);

// Writes `text` into `folder` (made if missing) under `fileName`, or with
// "-2", "-3", ... before ".tvr" when that name is taken, then prunes the
// folder. False, with `error`, when it could not be written.
bool KeepReplay(const std::string& folder, const std::string& fileName, const std::string& text,
                std::string* error);

// Deletes our files beyond the best 20 won per map and the last 50 overall.
void PruneReplays(const std::string& folder);
