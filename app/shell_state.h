// SPDX-License-Identifier: MIT
// The shell's own bookkeeping: whether the game has the screen, how many
// passes the main loop has made, the window, and the argument text the
// program was started with. Only the shell uses these; the state every
// layer reads is in state/. Plain globals, one instance each.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// 1 while the game has the screen; the loop only drains messages while 0.
extern int32_t AppActive;
// Completed passes of the main loop; 0 means start-up has not finished.
extern uint32_t FrameCount;

// What the pointer movement of the last passes left over while the overview
// is up, in 1/S board pixels (S the overview's scale); kept so that slow
// movement still travels. Emptied when the overview comes or goes.
extern int32_t TravelRemainderX;
extern int32_t TravelRemainderY;

// The game window, and the argument text the program was started with.
extern WindowHandle GameWindow;
extern const char* CommandLineText;

// What the player did on the board in the current game: single clicks of
// each button (a left one opens, a right one marks) and chords, for the
// figures of its replay.
extern int32_t LeftClicks;
extern int32_t RightClicks;
extern int32_t Chords;

// The screen centre the pointer is put back to after every pass.
constexpr int32_t ScreenCentreX = 320;
constexpr int32_t ScreenCentreY = 240;

// Back to the values at process start; also how they are set at start-up.
void ResetShellState();
