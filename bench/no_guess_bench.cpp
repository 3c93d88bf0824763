// SPDX-License-Identifier: MIT
// Layouts without a guess and the solver behind them: arranging the first
// opening of the 30 x 16 field with 99 mines and of the 300 x 300 marathon
// with 12,000, each on a new deal every iteration, against dealing the same
// game the usual way; and the solver clearing a 300 x 300 position that has
// a solution, against counting the neighbours of every cell once.
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "bench/bench_support.h"
#include "board/board.h"
#include "board/field_grid.h"
#include "board/logic_solver.h"
#include "board/new_game.h"
#include "board/no_guess_layout.h"
#include "board/random.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"

namespace {

void LoadMap(const char* name) {
    HeadlessReset();
    ResetGame();
    const std::string path = std::string(TORVEX_SOURCE_DIR) + "/maps/" + name;
    if (!ReadMapFromPath(path.c_str()).playable)
        std::abort();
}

// A new deal from `seed`, opened first at the cell the view starts on.
void DealFrom(uint32_t seed) {
    SeedRandom(seed);
    NewGame();
    RelocateFirstMine(BoardWidth / 2, BoardHeight / 2);
}

void BenchmarkLayout(benchmark::State& state, const char* map) {
    LoadMap(map);
    uint32_t seed = 0;
    int32_t unsolved = 0;
    RunInterleavedWithReference(
        state,
        [&] {
            SeedRandom(++seed);
            return TimeOnce([] { NewGame(); });
        },
        [&] {
            DealFrom(seed);
            NoGuessOutcome outcome;
            const double seconds =
                TimeOnce([&] { outcome = ArrangeNoGuessLayout(BoardWidth / 2, BoardHeight / 2); });
            if (!outcome.solved)
                ++unsolved;
            return seconds;
        });
    state.counters["unsolved"] = unsolved;
}

void BM_NoGuessLayout30x16With99Mines(benchmark::State& state) {
    BenchmarkLayout(state, "classic-30x16.tvm");
}
BENCHMARK(BM_NoGuessLayout30x16With99Mines)
    ->UseManualTime()
    ->Iterations(101)
    ->Unit(benchmark::kMillisecond);

void BM_NoGuessLayoutMarathon(benchmark::State& state) {
    BenchmarkLayout(state, "marathon-300x300.tvm");
}
BENCHMARK(BM_NoGuessLayoutMarathon)->UseManualTime()->Iterations(21)->Unit(benchmark::kMillisecond);

void BM_SolverClears300x300(benchmark::State& state) {
    // The marathon laid out without a guess: a position the solver clears.
    LoadMap("marathon-300x300.tvm");
    DealFrom(1);
    if (!ArrangeNoGuessLayout(BoardWidth / 2, BoardHeight / 2).solved)
        std::abort();
    FieldGrid grid(BoardWidth, BoardHeight);
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t at = grid.Index(x, y);
            grid.playable[at] = CoverState[CellIndex(x, y)] != Void ? 1 : 0;
            grid.mine[at] = CellValue[CellIndex(x, y)] == Mine ? 1 : 0;
        }
    }
    std::vector<int8_t> numbers(static_cast<size_t>(grid.Size()), 0);
    const int32_t start = grid.Index(BoardWidth / 2, BoardHeight / 2);
    LogicSolver solver;
    RunInterleavedWithReference(
        state,
        [&] {
            return TimeOnce([&] {
                for (int32_t x = 0; x < grid.Width(); ++x) {
                    for (int32_t y = 0; y < grid.Height(); ++y)
                        numbers[grid.Index(x, y)] = grid.CountAround(grid.Index(x, y));
                }
                benchmark::ClobberMemory();
            });
        },
        [&] {
            const double seconds = TimeOnce([&] {
                solver.Begin(grid, MineCount);
                solver.Open(start, numbers[start]);
                solver.Run(numbers.data());
            });
            if (solver.UnknownCount() != 0)
                std::abort();
            return seconds;
        });
}
BENCHMARK(BM_SolverClears300x300)->UseManualTime()->Iterations(31)->Unit(benchmark::kMillisecond);

}  // namespace
