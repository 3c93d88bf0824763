// SPDX-License-Identifier: MIT
#include "app/shell_state.h"

int32_t AppActive;
uint32_t FrameCount;
int32_t TravelRemainderX;
int32_t TravelRemainderY;
WindowHandle GameWindow;
const char* CommandLineText;
int32_t LeftClicks;
int32_t RightClicks;
int32_t Chords;

void ResetShellState() {
    AppActive = 0;
    FrameCount = 0;
    TravelRemainderX = 0;
    TravelRemainderY = 0;
    GameWindow = nullptr;
    CommandLineText = "";
    LeftClicks = 0;
    RightClicks = 0;
    Chords = 0;
}

// The start values are the reset values, written once, above.
static const bool ShellStateStarted = (ResetShellState(), true);
