// SPDX-License-Identifier: MIT
// Recording a game allocates no memory pass by pass: every pass of a
// recorded game, counted with the program's own operator new.
// The operators below pair malloc with free; GCC, seeing only their
// inlined callers, takes the pairs for mismatched.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/main_loop.h"
#include "app/replay_seam.h"
#include "board/board.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"

#if defined(__SANITIZE_ADDRESS__)
#define TORVEX_COUNTS_ALLOCATIONS 0  // the sanitizer keeps operator new to itself
#else
#define TORVEX_COUNTS_ALLOCATIONS 1
#endif

namespace {

bool Counting = false;
long Allocations = 0;

}  // namespace

#if TORVEX_COUNTS_ALLOCATIONS
void* operator new(size_t size) {
    if (Counting)
        ++Allocations;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr)
        throw std::bad_alloc();
    return memory;
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, size_t) noexcept {
    std::free(memory);
}
#endif

namespace {

using ReplayAllocationTest = PlayedGameTest;

TEST_F(ReplayAllocationTest, RecordedPassesAllocateNothing) {
    if (!TORVEX_COUNTS_ALLOCATIONS)
        GTEST_SKIP() << "operator new belongs to the sanitizer";
    Launch(WriteFieldMap());
    ReplayFolder = TestFolder() + "/replays";
    Play("clock 5000\npass\nkey F3\npass\nkey F1\npass 2");  // sound off: no log lines
    ASSERT_EQ(GameState, Ready);

    // A thousand passes: the pointer moving by small steps and large ones,
    // the clock by a screen's steps and by long ones, the clock steps and
    // the title scroll going on.
    Counting = true;
    for (int n = 0; n < 1000; ++n) {
        HeadlessMovePointer(n % 7 - 3, n % 50 == 0 ? 200 - n % 400 : n % 5 - 2);
        HeadlessAdvanceTicks(n % 100 == 0 ? 250 : 16 + n % 3 / 2);
        ASSERT_TRUE(RunMainLoopPass());
    }
    Counting = false;
    EXPECT_EQ(Allocations, 0);

    // They were recorded: the game, lost and closed, is kept with them.
    for (int i = 0; i < BoardCells && GameState != Lost; ++i) {
        if (CoverState[i] == Hidden && (CellValue[i] == Mine) == !FirstClick)
            ClickCell(i / MaxBoardSide, i % MaxBoardSide, "left");
    }
    Play("key Escape\npass");
    EXPECT_NE(LastRecordedReplay().find("(250)"), std::string::npos);
}

}  // namespace
