// SPDX-License-Identifier: MIT
// The per-frame path: composing a board screen on which every visible cell
// is animating, then converting the 8-bit frame to 32-bit display pixels;
// and the pass of a board at rest, whose frame is the one on the screen
// already: composing it and telling that it is unchanged.
// Reference: copying the 32-bit frame's bytes with memcpy, timed in turn
// with the operation on every iteration, so that whatever else the machine
// does falls on both alike; the ratio is that of the two medians.
#include <cstring>
#include <vector>

#include "app/main_loop.h"
#include "bench/bench_support.h"
#include "board/board.h"
#include "platform/common/shown_frame.h"
#include "platform/frame_conversion.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"
#include "video/display.h"
#include "video/sprites.h"

namespace {

void SetUpAnimatedBoard() {
    HeadlessReset();
    ResetGame();
    SetUpSpriteRects();
    // A sheet of busy pictures: most pixels drawn, some transparent.
    for (int i = 0; i < SheetWidth * SheetHeight; ++i) {
        SpriteSheet[i] = static_cast<uint8_t>((i * 37 + i / SheetWidth) % 5 == 0 ? 0 : 1 + i % 200);
    }
    HeadlessSetTicks(1000000);
    BoardWidth = MaxBoardSide;
    BoardHeight = MaxBoardSide;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            CoverState[i] = Open;
            CellValue[i] = static_cast<int8_t>(1 + (x + 3 * y) % 8);
            ChangeTime[i] = 1000000 - 700 - static_cast<uint32_t>((x * 7 + y) % 13) * 100;
        }
    }
    AnimationOn = 1;
    GameState = Playing;
    ViewX = BoardWidth * CellPixels / 2 + 5;
    ViewY = BoardHeight * CellPixels / 2 + 9;
}

// The reference: copying one 32-bit frame.
struct FrameCopy {
    std::vector<uint32_t> display = std::vector<uint32_t>(ScreenWidth * ScreenHeight);
    std::vector<uint32_t> copy = std::vector<uint32_t>(ScreenWidth * ScreenHeight, 7);

    double operator()() {
        return TimeOnce([&] {
            std::memcpy(display.data(), copy.data(), display.size() * sizeof(uint32_t));
            benchmark::ClobberMemory();
        });
    }
};

void BM_FramePath(benchmark::State& state) {
    SetUpAnimatedBoard();
    uint32_t lookup[256];
    BuildColourLookup(PaletteTable, lookup);
    std::vector<uint32_t> display(ScreenWidth * ScreenHeight);
    FrameCopy reference;
    RunInterleavedWithReference(state, reference, [&] {
        return TimeOnce([&] {
            ComposeFrame();
            ConvertIndexedFrame(BackBuffer, ScreenWidth, ScreenHeight, lookup, display.data(),
                                ScreenWidth * sizeof(uint32_t));
            benchmark::ClobberMemory();
        });
    });
}
BENCHMARK(BM_FramePath)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A board where nothing moves: the frame is composed as always, found to
// be the one on the screen, and neither converted nor presented.
void BM_UnchangedFrame(benchmark::State& state) {
    SetUpAnimatedBoard();
    AnimationOn = 0;
    ComposeFrame();
    ShownFrame onScreen;
    onScreen.Remember(BackBuffer, PaletteTable);
    FrameCopy reference;
    bool unchanged = true;
    RunInterleavedWithReference(state, reference, [&] {
        return TimeOnce([&] {
            ComposeFrame();
            unchanged = unchanged && onScreen.Matches(BackBuffer, PaletteTable);
            benchmark::ClobberMemory();
        });
    });
    if (!unchanged)
        state.SkipWithError("the frame of a board at rest changed");
}
BENCHMARK(BM_UnchangedFrame)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
