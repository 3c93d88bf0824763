// SPDX-License-Identifier: MIT
#include "app/game_state.h"

int32_t GameState = Title;
int32_t LeftButton = Idle;
int32_t RightButton = Idle;
int32_t AppActive = 0;
uint32_t FrameCount = 0;
int32_t MenuCursorX = 0;
int32_t MenuCursorY = 0;
WindowHandle GameWindow = nullptr;
const char* CommandLineText = "";

void ResetShellState() {
    GameState = Title;
    LeftButton = Idle;
    RightButton = Idle;
    AppActive = 0;
    FrameCount = 0;
    MenuCursorX = 0;
    MenuCursorY = 0;
    GameWindow = nullptr;
    CommandLineText = "";
}
