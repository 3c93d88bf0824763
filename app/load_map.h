// SPDX-License-Identifier: MIT
// Choosing the map to play: the argument text the program was started with,
// or else the open dialog, again and again until a map reads or the player
// gives up.
#pragma once

// Chooses and reads the map: the argument text when it names a ".tvm" file,
// else the open dialog; a file that cannot be opened or played, and a path
// too long to be one, gets the "Cannot Open !" notice and the dialog again.
// 1 when a map was read and SettingsPath set; 0 when the player cancelled
// (the Board is untouched; the last refusal, if any, is repeated on
// standard error).
int LoadMapFile();
