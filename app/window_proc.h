// SPDX-License-Identifier: MIT
// The window procedure: every input other than mouse movement reaches the
// game here, and it owns the flow from screen to screen.
#pragma once

#include "platform/platform.h"

LRESULT WindowProc(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam);

// The six actions that the function keys and the title menu share.
void StartGame();
void ToggleQuestionMarks();
void ToggleSound();
void ToggleAnimation();
void ClearHighScore();
void ExitGame();

// Writes the settings file, unless a replay is being played: a replay never
// changes the player's own options or best time.
void SavePlayerSettings();
