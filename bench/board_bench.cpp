// SPDX-License-Identifier: MIT
// The work done per move and per game on the largest board: a flood that
// opens an all-empty 300 x 300 board from its centre, laying out a 300 x 300
// game with 20 % mines, loading a 300 x 300 map with a run at every cell,
// and one clock step. Each is compared with a plain pass over the same data.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_loop.h"
#include "bench/bench_support.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "board/random.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"

namespace {

void SetUpFullBoard(int32_t mines) {
    HeadlessReset();
    ResetGame();
    SoundOn = 0;
    BoardWidth = MaxBoardSide;
    BoardHeight = MaxBoardSide;
    PlayableCount = BoardCells;
    MineCount = mines;
    for (int32_t i = 0; i < BoardCells; ++i)
        CoverState[i] = Hidden;
}

// The least any whole-board operation must do: touch every cell's layers once.
double PlainPassOverBoard() {
    return MedianSeconds(
        [] {
            for (int32_t i = 0; i < BoardCells; ++i) {
                CoverState[i] = Hidden;
                ChangeTime[i] = 0;
                CellValue[i] = 0;
                FloodMark[i] = 0;
            }
            benchmark::ClobberMemory();
        },
        31);
}

void BM_FloodEmptyBoardFromCentre(benchmark::State& state) {
    SetUpFullBoard(0);
    const double reference = PlainPassOverBoard();
    RunAgainstReference(state, reference, [] {
        NewGame();  // untimed: a fresh, all-empty board
        FirstClick = 0;
        GameState = Playing;
        ViewX = 150 * CellPixels + 1;
        ViewY = 150 * CellPixels + 1;
        const double seconds = TimeOnce([] { OpenAtView(); });
        if (CoveredCount != 0)
            std::abort();
        return seconds;
    });
}
BENCHMARK(BM_FloodEmptyBoardFromCentre)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_NewGameTwentyPercentMines(benchmark::State& state) {
    SetUpFullBoard(BoardCells / 5);
    SeedRandom(12345);
    const double reference = PlainPassOverBoard();
    RunAgainstReference(state, reference, [] { return TimeOnce([] { NewGame(); }); });
}
BENCHMARK(BM_NewGameTwentyPercentMines)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A 300 x 300 map whose runs alternate at every cell: 90,000 run fields.
std::string RunAtEveryCellMap() {
    std::string text = "Checkers,300,300,100,";
    for (int32_t i = 0; i < BoardCells; ++i)
        text += (i % 300 == 299) ? "1/\n" : "1,";
    return text;
}

void BM_LoadMapRunAtEveryCell(benchmark::State& state) {
    HeadlessReset();
    ResetGame();
    const std::string text = RunAtEveryCellMap();
    // Reference: just reading the same bytes one at a time, as the reader does.
    const double reference = MedianSeconds(
        [&] {
            FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
            int sum = 0;
            for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
                sum += c;
            std::fclose(file);
            benchmark::DoNotOptimize(sum);
        },
        31);
    RunAgainstReference(state, reference, [&] {
        FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
        MapReadReport report;
        const double seconds = TimeOnce([&] { report = ReadMap(file); });
        std::fclose(file);
        if (!report.playable || PlayableCount != BoardCells / 2)
            std::abort();
        return seconds;
    });
}
BENCHMARK(BM_LoadMapRunAtEveryCell)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_ClockStep(benchmark::State& state) {
    SetUpFullBoard(BoardCells / 5);
    NewGame();
    GameState = Playing;
    // In batches of a thousand steps, each due: a single step is too short
    // to time. Reference: the clock readings the steps need, alone.
    constexpr int Batch = 1000;
    const double reference = MedianSeconds([] {
        for (int i = 0; i < Batch; ++i) {
            HeadlessAdvanceTicks(101);
            benchmark::DoNotOptimize(GetTickCount());
        }
    });
    RunAgainstReference(state, reference, [] {
        return TimeOnce([] {
            for (int i = 0; i < Batch; ++i) {
                HeadlessAdvanceTicks(101);
                ClockStep();
            }
        });
    });
    state.counters["steps_per_iteration"] = Batch;
}
BENCHMARK(BM_ClockStep)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
