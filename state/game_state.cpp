// SPDX-License-Identifier: MIT
#include "state/game_state.h"

GameStates GameState;
ButtonStates LeftButton;
ButtonStates RightButton;
int32_t Overview;
int32_t MenuCursorX;
int32_t MenuCursorY;
int32_t NameLength;

// Row 2 ends with a space, so a name can hold blanks. No character is a
// comma, so every name fits one field of the settings file.
const char LetterGrid[LetterGridRows * LetterGridColumns + 1] =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "abcdefghijklmnopqrstuvwxyz"
    "0123456789!?@\"'#%&()/-*+. ";

void ResetGameState() {
    GameState = Title;
    LeftButton = Idle;
    RightButton = Idle;
    Overview = 0;
    MenuCursorX = 0;
    MenuCursorY = 0;
    NameLength = 0;
}

// The start values are the reset values, written once, above.
static const bool GameStateStarted = (ResetGameState(), true);
