// SPDX-License-Identifier: MIT
// The state of the application shell: which screen is up, the mouse buttons,
// the pointer accumulators of the menu and name-entry screens, and the
// bookkeeping of the main loop. Plain globals, one instance each.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Which screen is shown and what a click or key does on it.
enum GameStates : int32_t {
    Title = 0,      // title screen with the menu
    Ready = 1,      // a new board is laid out, "GO !" shown, clock not started
    Playing = 2,    // the clock runs
    Lost = 3,       // a mine was opened
    Won = 4,        // every safe cell is open
    NameEntry = 5,  // the game beat the best time; the holder's name is picked
};
extern int32_t GameState;

// The two mouse buttons. Pressed: down alone. Chording: down together with
// the other one; both become Chording at once.
enum ButtonStates : int32_t {
    Idle = 0,
    Pressed = 1,
    Chording = 2,
};
extern int32_t LeftButton;
extern int32_t RightButton;

// 1 while the game has the screen; the loop only drains messages while 0.
extern int32_t AppActive;
// Completed passes of the main loop; 0 means start-up has not finished.
extern uint32_t FrameCount;

// Pointer accumulators of the screens that are not the board: the title menu
// uses MenuCursorY (0..169), the name grid uses both (x 0..779, y 0..119).
extern int32_t MenuCursorX;
extern int32_t MenuCursorY;

// The game window, and the argument text the program was started with.
extern WindowHandle GameWindow;
extern const char* CommandLineText;

// The screen centre the pointer is put back to after every pass.
constexpr int32_t ScreenCentreX = 320;
constexpr int32_t ScreenCentreY = 240;

// Back to the values at process start (tests).
void ResetShellState();
