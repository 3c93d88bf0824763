// SPDX-License-Identifier: MIT
#include "tests/board/board_checks.h"

#include <cstring>

#include "tests/support/test_sounds.h"

void BoardTest::SetUp() {
    GameTest::SetUp();
    ASSERT_NO_FATAL_FAILURE(LoadTestSounds());
    HeadlessSetTicks(10000);
    LastTick = 10000;
}

void AimAt(int32_t x, int32_t y) {
    ViewX = x * CellPixels + CellPixels / 2;
    ViewY = y * CellPixels + CellPixels / 2;
}

void OpenAt(int32_t x, int32_t y) {
    AimAt(x, y);
    OpenAtView();
}

void ChordAt(int32_t x, int32_t y) {
    AimAt(x, y);
    ChordAtView();
}

void MarkAt(int32_t x, int32_t y, int times) {
    AimAt(x, y);
    for (int click = 0; click < times; ++click)
        CycleMarkAtView();
}

void StartFixedGame(const Lines& rows) {
    SetBoardFromArt(rows);
    std::memset(ChangeTime, 0, sizeof(ChangeTime));
    std::memset(FloodMark, 0, sizeof(FloodMark));
    GameState = Playing;
    FirstClick = 0;
}

Lines ValueArt() {
    Lines rows(BoardHeight);
    for (int32_t y = 0; y < BoardHeight; ++y) {
        for (int32_t x = 0; x < BoardWidth; ++x) {
            const int32_t i = CellIndex(x, y);
            rows[y] += CoverState[i] == Void  ? '.'
                       : CellValue[i] == Mine ? '*'
                                              : static_cast<char>('0' + CellValue[i]);
        }
    }
    return rows;
}

::testing::AssertionResult BoardInvariantsHold() {
    int32_t mines = 0, flagged = 0, openSafe = 0, playable = 0;
    bool openMine = false;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            const int8_t cover = CoverState[i];
            const bool mine = CellValue[i] == Mine;
            int32_t around = 0;
            for (int32_t dx = -1; dx <= 1; ++dx) {
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    if ((dx != 0 || dy != 0) && InsideBoard(x + dx, y + dy))
                        around += CellValue[CellIndex(x + dx, y + dy)] == Mine;
                }
            }
            const int32_t value = cover == Void ? 0 : mine ? Mine : around;
            if (CellValue[i] != value ||
                (cover != Void && (cover < Hidden || cover > Questioned))) {
                return ::testing::AssertionFailure()
                       << "cell (" << x << ", " << y << ") holds " << int{CellValue[i]}
                       << " under cover " << int{cover} << ", not " << value;
            }
            if (cover == Void)
                continue;
            ++playable;
            flagged += cover == Flagged;
            mines += mine;
            openMine = openMine || (mine && cover == Open);
            openSafe += !mine && cover == Open;
        }
    }
    if (playable != PlayableCount || mines != MineCount || MinesLeft != MineCount - flagged ||
        CoveredCount != PlayableCount - openSafe) {
        return ::testing::AssertionFailure()
               << playable << " playable cells, " << mines << " mines, " << flagged << " flags, "
               << openSafe << " safe cells open; PlayableCount " << PlayableCount << ", MineCount "
               << MineCount << ", MinesLeft " << MinesLeft << ", CoveredCount " << CoveredCount;
    }
    if (ResultPending == WinPending && (CoveredCount != MineCount || GameState == Lost))
        return ::testing::AssertionFailure() << "a win is pending on a board that is not won";
    if ((GameState == Lost) != openMine)
        return ::testing::AssertionFailure()
               << "GameState " << GameState << ", an open mine " << openMine;
    return ::testing::AssertionSuccess();
}

void RunClockStep() {
    HeadlessAdvanceTicks(ClockStepMilliseconds + 1);
    ClockStep();
}
