// Helpers of the board tests: aiming the view at a cell, fixed layouts from
// text art, the Board's counts as text art and the Board's invariants.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Puts the view in the middle of cell (x, y), as the mouse would.
void AimAt(int32_t x, int32_t y);

// A game in progress on a layout drawn as text art ('#' playable, '*' mine,
// '.' Void): the counts computed, every cell Hidden, GameState Playing and
// the first opening already made, so no mine moves.
void StartFixedGame(const std::vector<std::string>& rows);

// CellValue as text art, one string per row: '*' a Mine, '.' a Void cell,
// otherwise the digit of the neighbour count.
std::vector<std::string> ValueArt();

int32_t CountMines();

// Every rule the Board keeps while a game runs: exactly MineCount mines and
// none on a Void cell, Void cells hold 0, every other count is right,
// MinesLeft and CoveredCount agree with the covers, the pending result
// agrees with the board, and a lost game has an open mine.
::testing::AssertionResult BoardInvariantsHold();

// Advances the virtual clock just past one clock step and runs ClockStep.
void RunClockStep();
