// SPDX-License-Identifier: MIT
// The Board: the one record of the game in progress. The loaded map's size
// and shape, four per-cell layers, the counters that decide the end of a
// game, the view position, and the stack that opens empty regions.
//
// Every layer is a fixed 300 x 300 array in static storage, column-major:
// cell (x, y) is element x * 300 + y. Only cells inside the map are used.
#pragma once

#include <cstdint>

constexpr int32_t MaxBoardSide = 300;
constexpr int32_t BoardCells = MaxBoardSide * MaxBoardSide;
constexpr int32_t CellPixels = 32;  // a cell is 32 x 32 pixels of the board plane

// One entry per cell of the largest board: within one flood a cell is pushed
// at most once, so the stack can never overflow.
constexpr int32_t FloodCapacity = BoardCells;

// CellValue: 0..8 neighbouring mines, or Mine.
constexpr int8_t Mine = 9;

// CoverState of a cell.
enum CoverStates : int8_t {
    Hidden = 0,      // covered, unmarked
    Open = 1,        // uncovered
    Flagged = 2,     // covered, marked as a mine
    Questioned = 3,  // covered, marked with a question mark
    Void = 9,        // not part of the field
};

// ResultPending: what the next clock step has to finish.
enum PendingResults : int32_t {
    NoResult = 0,
    LossSignalled = 1,
    WinPending = 2,
};

extern int32_t BoardWidth;     // columns of the map, 1..300
extern int32_t BoardHeight;    // rows of the map, 1..300
extern int32_t MineCount;      // mines in every game
extern int32_t PlayableCount;  // cells of the field, mines included
extern int32_t CoveredCount;   // playable cells not yet opened, mines included
extern int32_t MinesLeft;      // MineCount minus Flagged cells; may go negative
extern int32_t ViewX;          // board pixel under the screen centre
extern int32_t ViewY;
extern int32_t FirstClick;  // 1 until the first opening of a game
extern PendingResults ResultPending;

extern int8_t CellValue[BoardCells];
extern CoverStates CoverState[BoardCells];
extern uint32_t ChangeTime[BoardCells];  // tick count of the last cover change
extern uint8_t FloodMark[BoardCells];    // 1 once the flood pushed the cell this game

extern int32_t FloodX[FloodCapacity];
extern int32_t FloodY[FloodCapacity];
extern int32_t FloodCount;

inline int32_t CellIndex(int32_t x, int32_t y) {
    return x * MaxBoardSide + y;
}

inline bool InsideBoard(int32_t x, int32_t y) {
    return x >= 0 && x < BoardWidth && y >= 0 && y < BoardHeight;
}

// The cell under the screen centre, (ViewX / 32, ViewY / 32), if both view
// coordinates are non-negative and the cell lies inside the board. Positions
// -31..-1 select nothing, although they would truncate to column or row 0.
bool GetViewCell(int32_t* x, int32_t* y);

// Back to the values at process start: all zero but FirstClick = 1; also how
// they are set at start-up.
void ResetBoard();
