// SPDX-License-Identifier: MIT
// The per-frame path: composing a board screen on which every visible cell
// is animating, then converting the 8-bit frame to 32-bit display pixels.
// Reference: copying the 32-bit frame's bytes with memcpy.
#include <cstring>
#include <vector>

#include "app/main_loop.h"
#include "bench/bench_support.h"
#include "board/board.h"
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

void BM_FramePath(benchmark::State& state) {
    SetUpAnimatedBoard();
    uint32_t lookup[256];
    BuildColourLookup(PaletteTable, lookup);
    std::vector<uint32_t> display(ScreenWidth * ScreenHeight);
    std::vector<uint32_t> copy(ScreenWidth * ScreenHeight, 7);
    const size_t bytes = display.size() * sizeof(uint32_t);
    const double reference = MedianSeconds([&] {
        std::memcpy(display.data(), copy.data(), bytes);
        benchmark::ClobberMemory();
    });
    RunAgainstReference(state, reference, [&] {
        return TimeOnce([&] {
            ComposeFrame();
            ConvertIndexedFrame(BackBuffer, ScreenWidth, ScreenHeight, lookup, display.data(),
                                ScreenWidth * sizeof(uint32_t));
            benchmark::ClobberMemory();
        });
    });
}
BENCHMARK(BM_FramePath)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
