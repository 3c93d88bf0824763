// SPDX-License-Identifier: MIT
// Putting every subsystem back to its state at process start, so each test
// starts from a fresh game.
#include "app/main_loop.h"
#include "app/replay_seam.h"
#include "app/shell_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/random.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "sound/sound.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"
#include "video/display.h"

void ResetGame() {
    ResetShellState();
    ResetGameState();
    ResetOptions();
    ResetBoard();
    ResetClock();
    SeedRandom(0);
    ResetDisplay();
    ResetCompose();
    ResetSound();
    ResetMapFile();
    ResetSettingsFile();
    ResetReplaySeam();
}
