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

int32_t CountMines() {
    int32_t mines = 0;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y)
            mines += CellValue[CellIndex(x, y)] == Mine;
    }
    return mines;
}

::testing::AssertionResult BoardInvariantsHold() {
    int32_t mines = 0, flagged = 0, openSafe = 0, playable = 0;
    bool openMine = false;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            const int8_t cover = CoverState[i];
            const std::string cell = "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            if (cover == Void && CellValue[i] != 0)
                return ::testing::AssertionFailure() << "Void " << cell << " holds a value";
            if (cover == Void)
                continue;
            if (cover < Hidden || cover > Questioned)
                return ::testing::AssertionFailure() << cell << " has cover " << int{cover};
            ++playable;
            flagged += cover == Flagged;
            if (CellValue[i] == Mine) {
                ++mines;
                openMine = openMine || cover == Open;
                continue;
            }
            openSafe += cover == Open;
            int32_t around = 0;
            for (int32_t dx = -1; dx <= 1; ++dx) {
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    if ((dx != 0 || dy != 0) && InsideBoard(x + dx, y + dy))
                        around += CellValue[CellIndex(x + dx, y + dy)] == Mine;
                }
            }
            if (CellValue[i] != around) {
                return ::testing::AssertionFailure()
                       << cell << " holds " << int{CellValue[i]} << " with " << around << " mines";
            }
        }
    }
    if (playable != PlayableCount || mines != MineCount) {
        return ::testing::AssertionFailure()
               << playable << " playable cells and " << mines << " mines; the counts say "
               << PlayableCount << " and " << MineCount;
    }
    if (MinesLeft != MineCount - flagged || CoveredCount != PlayableCount - openSafe) {
        return ::testing::AssertionFailure()
               << "MinesLeft " << MinesLeft << " with " << flagged << " flags, CoveredCount "
               << CoveredCount << " with " << openSafe << " safe cells open";
    }
    if (ResultPending == WinPending && (CoveredCount != MineCount || GameState == Lost))
        return ::testing::AssertionFailure() << "a win is pending on a board that is not won";
    if ((GameState == Lost) != openMine)
        return ::testing::AssertionFailure()
               << "GameState " << GameState << " and an open mine " << openMine;
    return ::testing::AssertionSuccess();
}

void RunClockStep() {
    HeadlessAdvanceTicks(ClockStepMilliseconds + 1);
    ClockStep();
}
