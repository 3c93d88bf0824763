// SPDX-License-Identifier: MIT
// Start-up, the main loop and shutdown.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The whole program: start-up, then the main loop until WM_QUIT. Returns 0
// when no map was chosen or the display could not be set up, 1 after a
// normal close. `commandLine` is the argument text (arguments joined by blanks).
int WinMain(const char* commandLine);

// WinMain in two halves, so the scripted runner can act between passes:
// StartUpGame returns 1 when the loop may run (else WinMain's result is 0),
// RunMainLoopPass runs one pass and returns 0 once WM_QUIT was retrieved.
int StartUpGame(const char* commandLine);
int RunMainLoopPass();

// The end of a pass on its own: the queue drained, the pass counted. 0 once
// WM_QUIT was retrieved. A replay begins inside the drain of the pass its
// game was started in, and finishes that pass with this.
int FinishMainLoopPass();

// Drains the message queue without blocking. 0 when WM_QUIT was retrieved.
int PumpMessages();

// Stops and releases sound and display and destroys the window.
int ShutdownGame(WindowHandle window);

// Every global of every subsystem back to its value at process start (tests).
void ResetGame();
