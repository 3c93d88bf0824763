#include "tests/board/board_checks.h"

#include "app/game_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"

void AimAt(int32_t x, int32_t y) {
    ViewX = x * CellPixels + CellPixels / 2;
    ViewY = y * CellPixels + CellPixels / 2;
}

void StartFixedGame(const std::vector<std::string>& rows) {
    SetBoardFromArt(rows);
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            ChangeTime[CellIndex(x, y)] = 0;
            FloodMark[CellIndex(x, y)] = 0;
        }
    }
    int32_t mines = 0;
    for (const std::string& row : rows) {
        for (char c : row)
            mines += c == '*' ? 1 : 0;
    }
    MineCount = mines;
    MinesLeft = mines;
    CoveredCount = PlayableCount;
    GameState = Playing;
    FirstClick = 0;
}

std::vector<std::string> ValueArt() {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < BoardHeight; ++y) {
        std::string row;
        for (int32_t x = 0; x < BoardWidth; ++x) {
            const int32_t i = CellIndex(x, y);
            if (CoverState[i] == Void) {
                row += '.';
            } else if (CellValue[i] == Mine) {
                row += '*';
            } else {
                row += static_cast<char>('0' + CellValue[i]);
            }
        }
        rows.push_back(row);
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
    int32_t mines = 0;
    int32_t flagged = 0;
    int32_t openSafe = 0;
    int32_t playable = 0;
    bool openMine = false;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            const int8_t cover = CoverState[i];
            if (cover == Void) {
                if (CellValue[i] != 0) {
                    return ::testing::AssertionFailure()
                           << "Void cell (" << x << ", " << y << ") holds " << int{CellValue[i]};
                }
                continue;
            }
            if (cover != Hidden && cover != Open && cover != Flagged && cover != Questioned) {
                return ::testing::AssertionFailure()
                       << "cell (" << x << ", " << y << ") has cover " << int{cover};
            }
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
                    if ((dx != 0 || dy != 0) && InsideBoard(x + dx, y + dy)) {
                        around += CellValue[CellIndex(x + dx, y + dy)] == Mine;
                    }
                }
            }
            if (CellValue[i] != around) {
                return ::testing::AssertionFailure()
                       << "cell (" << x << ", " << y << ") holds " << int{CellValue[i]}
                       << " but has " << around << " mines around it";
            }
        }
    }
    if (playable != PlayableCount) {
        return ::testing::AssertionFailure()
               << playable << " playable cells, PlayableCount " << PlayableCount;
    }
    if (mines != MineCount) {
        return ::testing::AssertionFailure() << mines << " mines, MineCount " << MineCount;
    }
    if (MinesLeft != MineCount - flagged) {
        return ::testing::AssertionFailure()
               << "MinesLeft " << MinesLeft << " with " << flagged << " flags";
    }
    if (CoveredCount != PlayableCount - openSafe) {
        return ::testing::AssertionFailure()
               << "CoveredCount " << CoveredCount << " with " << openSafe << " safe cells open";
    }
    const bool complete = CoveredCount == MineCount;
    if (ResultPending == WinPending && (!complete || GameState == Lost)) {
        return ::testing::AssertionFailure() << "a win is pending on a board that is not won";
    }
    if ((GameState == Lost) != openMine) {
        return ::testing::AssertionFailure()
               << "GameState " << GameState << (openMine ? " with" : " without") << " an open mine";
    }
    return ::testing::AssertionSuccess();
}

void RunClockStep() {
    HeadlessAdvanceTicks(ClockStepMilliseconds + 1);
    ClockStep();
}
