// SPDX-License-Identifier: MIT
#include "board/board.h"

#include <algorithm>
#include <cstring>
#include <iterator>

int32_t BoardWidth;
int32_t BoardHeight;
int32_t MineCount;
int32_t PlayableCount;
int32_t CoveredCount;
int32_t MinesLeft;
int32_t ViewX;
int32_t ViewY;
int32_t FirstClick;
PendingResults ResultPending;

int8_t CellValue[BoardCells];
CoverStates CoverState[BoardCells];
uint32_t ChangeTime[BoardCells];
uint8_t FloodMark[BoardCells];

int32_t FloodX[FloodCapacity];
int32_t FloodY[FloodCapacity];
int32_t FloodCount;

bool GetViewCell(int32_t* x, int32_t* y) {
    // The sign test comes first: -31 / 32 would truncate to 0.
    if (ViewX < 0 || ViewY < 0)
        return false;
    const int32_t column = ViewX / CellPixels;
    const int32_t row = ViewY / CellPixels;
    if (column >= BoardWidth || row >= BoardHeight)
        return false;
    *x = column;
    *y = row;
    return true;
}

void ResetBoard() {
    BoardWidth = 0;
    BoardHeight = 0;
    MineCount = 0;
    PlayableCount = 0;
    CoveredCount = 0;
    MinesLeft = 0;
    ViewX = 0;
    ViewY = 0;
    FirstClick = 1;
    ResultPending = NoResult;
    std::memset(CellValue, 0, sizeof(CellValue));
    std::fill(std::begin(CoverState), std::end(CoverState), Hidden);
    std::memset(ChangeTime, 0, sizeof(ChangeTime));
    std::memset(FloodMark, 0, sizeof(FloodMark));
    FloodCount = 0;
}

// The start values are the reset values, written once, above.
static const bool BoardStarted = (ResetBoard(), true);
