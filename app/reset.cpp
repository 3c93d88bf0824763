// SPDX-License-Identifier: MIT
// Putting every subsystem back to its state at process start, so each test
// starts from a fresh game.
#include "app/game_state.h"
#include "app/main_loop.h"
#include "app/name_entry.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/random.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "sound/sound.h"
#include "video/compose.h"
#include "video/display.h"

void ResetGame() {
    ResetShellState();
    ResetBoard();
    ResetClock();
    SeedRandom(0);
    ResetSettings();
    ResetDisplay();
    ResetCompose();
    ResetSound();
    NameLength = 0;
    MapPath[0] = '\0';
    SettingsPath[0] = '\0';
    MapName[0] = '\0';
}
