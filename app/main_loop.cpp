// SPDX-License-Identifier: MIT
// Start-up, the main loop and shutdown.
//
// The game runs on one thread in one loop. Each pass turns the mouse's
// movement since the last pass into movement of the cursor that belongs to
// the current screen, puts the pointer back at the screen centre, draws and
// shows one frame, advances the game clock, and then drains the message
// queue, where the window procedure handles buttons, keys, activation and
// closing. While the game is in the background a pass only drains messages.
#include "app/main_loop.h"

#include <algorithm>

#include "app/load_map.h"

#include "app/replay_seam.h"
#include "app/shell_state.h"
#include "app/window_proc.h"
#include "board/board.h"
#include "board/clock.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "sound/sound.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"
#include "video/display.h"
#include "video/overview.h"
#include "video/sprites.h"

namespace {

// The pause between creating the window and taking over the display: a
// monitor that has just changed hands gets a moment to settle. Over once the
// tick count has advanced by more than this.
constexpr uint32_t StartUpPauseMilliseconds = 1000;

// Bounds of the pointer accumulators of the title menu (six items of 30
// mouse pixels) and the name grid (26 columns and four rows of 30).
constexpr int32_t MenuCursorYLimit = 169;
constexpr int32_t GridCursorXLimit = 779;
constexpr int32_t GridCursorYLimit = 119;

// The board cursor may stand up to one cell beyond every edge of the map.
constexpr int32_t ViewMargin = CellPixels;

// Adds `offset` to `value`, then keeps it within [low, high]. The bounds
// themselves are reachable.
int32_t MoveWithin(int32_t value, int32_t offset, int32_t low, int32_t high) {
    value += offset;
    if (value < low)
        value = low;
    if (value > high)
        value = high;
    return value;
}

// Fast travel over the overview: a pixel of pointer movement moves the view
// by as much of the field as one pixel of the overview shows, 32 / S board
// pixels. The part of a step too small to move is kept for the next pass.
int32_t TravelDistance(int32_t offset, int32_t* remainder) {
    const int64_t scale = OverviewScale();
    const int64_t wanted = int64_t{offset} * CellPixels + *remainder;
    const int64_t distance = wanted / scale;  // toward zero
    *remainder = static_cast<int32_t>(wanted - distance * scale);
    // Further than across any field is as far as needed: the clamps stop it.
    constexpr int64_t Far = int64_t{1} << 24;
    return static_cast<int32_t>(std::clamp(distance, -Far, Far));
}

// Moves the cursor of the current screen by the pointer's offset from the
// centre. The title menu only moves up and down.
void MoveCursor(int32_t dx, int32_t dy) {
    switch (GameState) {
        case Title:
            MenuCursorY = MoveWithin(MenuCursorY, dy, 0, MenuCursorYLimit);
            break;
        case Ready:
        case Playing:
        case Lost:
        case Won:
            if (Overview == 1) {
                dx = TravelDistance(dx, &TravelRemainderX);
                dy = TravelDistance(dy, &TravelRemainderY);
            }
            ViewX = MoveWithin(ViewX, dx, -ViewMargin, CellPixels * BoardWidth + ViewMargin);
            ViewY = MoveWithin(ViewY, dy, -ViewMargin, CellPixels * BoardHeight + ViewMargin);
            break;
        case NameEntry:
            MenuCursorX = MoveWithin(MenuCursorX, dx, 0, GridCursorXLimit);
            MenuCursorY = MoveWithin(MenuCursorY, dy, 0, GridCursorYLimit);
            break;
        default:
            break;
    }
}

// Waits until the tick count has advanced by more than `milliseconds`,
// sleeping instead of spinning; a sleep that ends early is simply resumed.
void PauseFor(uint32_t milliseconds) {
    const uint32_t start = GetTickCount();
    for (;;) {
        const uint32_t passed = GetTickCount() - start;
        if (passed > milliseconds)
            return;
        WaitMilliseconds(milliseconds + 1 - passed);
    }
}

void LoadSounds() {
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot) {
        const int loaded = LoadWave(slot, SoundResourceNames[slot]);
        // The name-entry music is the one sound whose absence the player is
        // told about; the game goes on without it.
        if (slot == SoundBgmx && !loaded)
            MessageBox(GameWindow, "bgm2", "FALSE");
    }
}

}  // namespace

int StartUpGame(const char* commandLine) {
    // The clock runs free until the first pass: the last pass of a game
    // played before in this process (the page plays one after another)
    // kept its reading.
    ReleaseTickCount();
    CommandLineText = commandLine != nullptr ? commandLine : "";
    SpareText[0] = '\0';

    if (!LoadMapFile())
        return 0;
    LoadSettings();

    GameWindow = CreateGameWindow("Torvex", WindowProc, "icon1");
    PauseFor(StartUpPauseMilliseconds);

    if (!InitDisplay(GameWindow, ScreenWidth, ScreenHeight, SheetWidth, SheetHeight)) {
        if (GameWindow != nullptr)
            DestroyWindow(GameWindow);
        return 0;
    }
    AppActive = 1;

    LoadPalette("BMP1");
    LoadSheetBitmap("BMP1", SheetWidth, SheetBitmapHeight);
    SetUpSpriteRects();

    InitSound(GameWindow);
    LoadSounds();
    StartReplayRecorder();
    return 1;
}

int RunMainLoopPass() {
    // The whole pass sees one clock reading (app/replay_seam.h).
    BeginPass();
    if (AppActive == 1) {
        int32_t dx = 0;
        int32_t dy = 0;
        ReadPassPointer(&dx, &dy);
        MoveCursor(dx, dy);
        SetCursorPos(ScreenCentreX, ScreenCentreY);
        ComposeFrame();
        ClockStep();
    }
    return FinishMainLoopPass();
}

int FinishMainLoopPass() {
    // The last pass keeps its reading: whatever looks at the game after it
    // has ended sees the moment it ended.
    if (!PumpMessages())
        return 0;
    EndPass();
    ++FrameCount;
    return 1;
}

int WinMain(const char* commandLine) {
    if (!StartUpGame(commandLine))
        return 0;
    while (RunMainLoopPass()) {
    }
    return 1;
}

int PumpMessages() {
    Message message;
    while (PeekMessage(&message)) {
        if (!GetMessage(&message))
            return 0;
        if (!TakeMessage(message))
            continue;
        TranslateMessage(&message);
        DispatchMessage(&message);
        MessageHandled(message);
    }
    return 1;
}

int ShutdownGame(WindowHandle window) {
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot)
        PlaySlot(slot, Stopped, 0);
    ReleaseSound();
    // Both pages black, so nothing of the game lingers on the screen.
    ClearBackBuffer();
    FlipPage();
    ClearBackBuffer();
    FlipPage();
    ReleaseDisplay();
    return DestroyWindow(window);
}
