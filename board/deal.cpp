// SPDX-License-Identifier: MIT
// Dealing the mines. Every layout comes from the one random sequence shared
// with the voice cues, and the order of the draws is part of the game: x is
// always drawn before y, and a draw that lands on an unsuitable cell is
// simply drawn again, so a layout depends only on the seed and on the draws
// made before it.
#include "board/deal.h"

#include "board/board.h"
#include "board/random.h"

namespace {

bool IsMine(int32_t x, int32_t y) {
    return CellValue[CellIndex(x, y)] == Mine;
}

// A cell a mine may be dropped on while laying out: playable, uncovered by
// any mark, and not a mine already.
bool IsHiddenSafeCell(int32_t x, int32_t y) {
    const int32_t i = CellIndex(x, y);
    return CellValue[i] != Mine && CoverState[i] == Hidden;
}

// Makes (x, y) a mine and raises the count of every playable non-mine cell
// of the 3 x 3 block around it.
void PutMine(int32_t x, int32_t y) {
    CellValue[CellIndex(x, y)] = Mine;
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if (!InsideBoard(x + dx, y + dy))
                continue;
            const int32_t i = CellIndex(x + dx, y + dy);
            if (CellValue[i] != Mine && CoverState[i] != Void)
                ++CellValue[i];
        }
    }
}

// Takes the mine off (x, y): every playable non-mine neighbour loses the one
// it had from it, and (x, y) itself now counts the mines around it.
void LiftMine(int32_t x, int32_t y) {
    int8_t minesAround = 0;
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if ((dx == 0 && dy == 0) || !InsideBoard(x + dx, y + dy))
                continue;
            const int32_t i = CellIndex(x + dx, y + dy);
            if (CellValue[i] == Mine) {
                ++minesAround;
            } else if (CoverState[i] != Void) {
                --CellValue[i];
            }
        }
    }
    CellValue[CellIndex(x, y)] = minesAround;
}

// Draws cells, x before y, until one satisfies `suitable`.
template <typename Predicate>
void DrawCell(Predicate suitable, int32_t* x, int32_t* y) {
    do {
        *x = RandomInRange(0, BoardWidth - 1);
        *y = RandomInRange(0, BoardHeight - 1);
    } while (!suitable(*x, *y));
}

// Whether any cell other than (skipX, skipY) satisfies `suitable`: the
// drawing loops may only start when they are sure to end.
template <typename Predicate>
bool AnyCellOtherThan(int32_t skipX, int32_t skipY, Predicate suitable) {
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            if ((x != skipX || y != skipY) && suitable(x, y))
                return true;
        }
    }
    return false;
}

}  // namespace

void DealMines() {
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            CellValue[i] = 0;
            if (CoverState[i] != Void)
                CoverState[i] = Hidden;
            ChangeTime[i] = 0;
            FloodMark[i] = 0;
        }
    }

    for (int32_t placed = 0; placed < MineCount; ++placed) {
        int32_t x = 0;
        int32_t y = 0;
        DrawCell(IsHiddenSafeCell, &x, &y);
        PutMine(x, y);
    }
}

void RelocateFirstMine(int32_t x, int32_t y) {
    if (!InsideBoard(x, y) || !IsMine(x, y))
        return;

    // The mine goes to a random Hidden safe cell. Only when the player has
    // marked every other safe cell before opening this one does it go under
    // one of those marks instead; and on a board with no other safe cell at
    // all it cannot move and stays.
    const auto hiddenTarget = [x, y](int32_t cx, int32_t cy) {
        return (cx != x || cy != y) && IsHiddenSafeCell(cx, cy);
    };
    const auto markedTarget = [x, y](int32_t cx, int32_t cy) {
        const int32_t i = CellIndex(cx, cy);
        return (cx != x || cy != y) && CellValue[i] != Mine &&
               (CoverState[i] == Flagged || CoverState[i] == Questioned);
    };
    const bool hiddenExists = AnyCellOtherThan(x, y, hiddenTarget);
    if (!hiddenExists && !AnyCellOtherThan(x, y, markedTarget))
        return;

    LiftMine(x, y);
    int32_t newX = 0;
    int32_t newY = 0;
    if (hiddenExists) {
        DrawCell(hiddenTarget, &newX, &newY);
    } else {
        DrawCell(markedTarget, &newX, &newY);
    }
    PutMine(newX, newY);
}
