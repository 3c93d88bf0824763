// SPDX-License-Identifier: MIT
// The player's own folder for what the game keeps apart from the maps:
// $XDG_DATA_HOME/torvex/<part>/, or ~/.local/share/torvex/<part>/ when
// XDG_DATA_HOME is unset, empty or not an absolute path (a relative one would
// move with the current folder).
#pragma once

#include <string>

// The folder for `part` (for example "settings" or "replays"), without a
// trailing slash. Empty when neither XDG_DATA_HOME nor HOME names a folder.
std::string DataFolder(const char* part);

// Makes `folder` and any missing parents (new ones readable by the player
// only). True when it is a folder afterwards; never throws.
bool MakeDataFolder(const std::string& folder);
