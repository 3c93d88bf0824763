// SPDX-License-Identifier: MIT
// What every board test works with: the board's headers and the headless
// machine, moves aimed at a cell, fixed layouts from text art, the Board's
// counts as text art and the Board's invariants.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/clock.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "board/random.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/game_fixture.h"

using Lines = std::vector<std::string>;

// A fresh game with the sound slots loaded (every cue shows in the headless
// log) and the clock at 10000 ms, a clock step just run.
class BoardTest : public GameTest {
  protected:
    void SetUp() override;
};

// Puts the view in the middle of cell (x, y), as the mouse would, and makes
// a move there; MarkAt right-clicks `times` times.
void AimAt(int32_t x, int32_t y);
void OpenAt(int32_t x, int32_t y);
void ChordAt(int32_t x, int32_t y);
void MarkAt(int32_t x, int32_t y, int times = 1);

// A game in progress on a layout drawn as text art ('#' playable, '*' mine,
// '.' Void; at least one mine): the counts computed, every cell Hidden,
// GameState Playing and the first opening already made, so no mine moves.
void StartFixedGame(const Lines& rows);

// CellValue as text art, one string per row: '*' a Mine, '.' a Void cell,
// otherwise the digit of the neighbour count.
Lines ValueArt();

// Every rule the Board keeps while a game runs: exactly MineCount mines and
// none on a Void cell, Void cells hold 0, every other count is right,
// MinesLeft and CoveredCount agree with the covers, the pending result
// agrees with the board, and a lost game has an open mine.
::testing::AssertionResult BoardInvariantsHold();

// Advances the virtual clock just past one clock step and runs ClockStep.
void RunClockStep();
