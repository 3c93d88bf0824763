// SPDX-License-Identifier: MIT
// Starting a game: the counters, the view and the clock of a new game, and
// its mines (board/deal.cpp).
#include "board/new_game.h"

#include "board/board.h"
#include "board/clock.h"
#include "state/game_state.h"

namespace {

// Music starts on the ninth clock step after a new game; the face blinks
// twice, after five steps.
constexpr int32_t NewGameMusicSteps = 9;
constexpr int32_t NewGameBlinkDelay = 5;
constexpr int32_t NewGameBlinkCycles = 2;

}  // namespace

void NewGame() {
    // The map loader refuses maps that cannot be filled, but a board with no
    // safe cell would leave the mine placement drawing for ever: keep at
    // least one playable cell free of mines.
    if (MineCount > PlayableCount - 1)
        MineCount = PlayableCount > 0 ? PlayableCount - 1 : 0;
    if (MineCount < 0)
        MineCount = 0;

    MinesLeft = MineCount;
    CoveredCount = PlayableCount;
    ViewX = (BoardWidth / 2) * CellPixels;
    ViewY = (BoardHeight / 2) * CellPixels;
    EndTick = 0;
    StartTick = 0;
    // A win still pending from the game this one replaces must not complete
    // on the fresh board.
    ResultPending = NoResult;

    DealMines();

    GameState = Ready;
    MusicCountdown = NewGameMusicSteps;
    FaceBlinkCount = NewGameBlinkCycles;
    FaceBlinkDelay = NewGameBlinkDelay;
    FirstClick = 1;
}
