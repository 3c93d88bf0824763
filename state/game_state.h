// SPDX-License-Identifier: MIT
// Which screen is up and what the player's hands are doing. The shell moves
// from screen to screen, but the layers below it read this state and some
// change it too: the rules end a game, the clock completes a win, the
// picture draws whatever screen is up. Plain globals, one instance each.
#pragma once

#include <cstdint>

// Which screen is shown and what a click or key does on it.
enum GameStates : int32_t {
    Title = 0,      // title screen with the menu
    Ready = 1,      // a new board is laid out, "GO !" shown, clock not started
    Playing = 2,    // the clock runs
    Lost = 3,       // a mine was opened
    Won = 4,        // every safe cell is open
    NameEntry = 5,  // the game beat the best time; the holder's name is picked
};
extern GameStates GameState;

// The two mouse buttons. Pressed: down alone. Chording: down together with
// the other one; both become Chording at once.
enum ButtonStates : int32_t {
    Idle = 0,
    Pressed = 1,
    Chording = 2,
};
extern ButtonStates LeftButton;
extern ButtonStates RightButton;

// 1 while the player holds Tab on the board screen: the whole field is shown
// instead of the view, and the pointer travels across it faster.
extern int32_t Overview;

// Pointer accumulators of the screens that are not the board: the title menu
// uses MenuCursorY (0..169), the name grid uses both (x 0..779, y 0..119).
extern int32_t MenuCursorX;
extern int32_t MenuCursorY;

// The name of a new best time is picked on a grid of characters.
constexpr int32_t LetterGridColumns = 26;
constexpr int32_t LetterGridRows = 3;  // the END row below them has no characters
constexpr int32_t EndRow = 3;
constexpr int32_t MaxNameLength = 10;

// 78 characters, three rows of 26: capitals, small letters, digits and signs.
extern const char LetterGrid[LetterGridRows * LetterGridColumns + 1];
extern int32_t NameLength;  // characters of the name entered so far, 0..10

// Back to the values at process start; also how they are set at start-up.
void ResetGameState();
