// SPDX-License-Identifier: MIT
// Watching a replay in the game's window (torvex --replay FILE): the
// recorded game at its own pace, with its pictures, sounds and music. The
// player's mouse and buttons do nothing; Space pauses and resumes, the
// Right arrow doubles the speed (up to 8x), the Left arrow halves it, and
// Escape, closing the window or the end of the replay quits. The settings
// file is never written.
#pragma once

#include <string>

// The replay --replay names; empty when the program plays instead.
extern std::string ReplayToWatch;

// Plays the replay `path` on the map it names, or on `mapText` when that is
// not empty (a map with the same bytes). Returns what WinMain would: 1 after
// the replay was shown, 0 when the display could not be set up; and 2 when
// the file is no replay or its map is missing or not the one it was
// recorded on (said on standard error).
int WatchReplay(const std::string& path, const std::string& mapText);
