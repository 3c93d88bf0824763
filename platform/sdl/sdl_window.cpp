// SPDX-License-Identifier: MIT
// The game window, its events and the relative pointer.
//
// The game reads the pointer, takes its offset from the screen centre as the
// mouse's movement and puts it back at the centre, every frame. Here that is
// done without ever moving the system pointer (which Wayland forbids and X11
// users dislike): while the game has the focus SDL's relative mouse mode
// reports raw motion, which is added up in 640x480 units; reading the
// pointer gives the centre plus that sum, and putting it back clears the sum.
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/common/message_queue.h"
#include "platform/embedded_resources.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_events.h"

namespace {

constexpr Uint32 WindowSubsystems = SDL_INIT_VIDEO | SDL_INIT_EVENTS;

// A pass of the main loop that showed no frame (the game is in the
// background) rests this long for input while it polls, instead of spinning.
// Any event ends the rest at once (the focus coming back, a key, the close
// request), so a long rest costs the player nothing; what it saves is the
// wake-ups of a game nobody is looking at.
constexpr Uint32 IdlePollMilliseconds = 50;

SDL_Window* Window = nullptr;

// Whether the game was last told it is active; focus events that do not
// change it are not passed on.
bool Active = false;

// The close request reaches the game once: the window manager's request
// and SDL's own quit event come together when the window is closed.
bool CloseRequested = false;

// The pointer: the point last given to SetCursorPos, and the motion since
// in window pixels. It is read in whole 640x480 units; what is left of a
// unit stays for the next reading, so slow movement adds up.
int32_t CentreX = ScreenWidth / 2;
int32_t CentreY = ScreenHeight / 2;
double MotionX = 0.0;
double MotionY = 0.0;

// Frames handed to the display when the queue was last found empty.
uint64_t FramesAtLastEmptyPoll = 0;

// The terminal the game was started from has gone (SIGHUP). SDL turns the
// other ending signals (SIGINT, SIGTERM) into its quit request; a hang-up
// ends the game the same way, with its settings saved, instead of killing
// it. The handler only notes it; the event pump passes it on.
volatile std::sig_atomic_t HangUpPending = 0;
bool HangUpWatched = false;
struct sigaction HangUpBefore {};

void NoteHangUp(int) {
    HangUpPending = 1;
}

// Watches for a hang-up while the window exists. A hang-up ignored by whoever
// started the game (nohup) stays ignored.
void WatchHangUp() {
    struct sigaction current {};
    if (sigaction(SIGHUP, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
        return;
    struct sigaction watch {};
    watch.sa_handler = NoteHangUp;
    watch.sa_flags = SA_RESTART;
    sigemptyset(&watch.sa_mask);
    HangUpWatched = sigaction(SIGHUP, &watch, &HangUpBefore) == 0;
}

void StopWatchingHangUp() {
    if (HangUpWatched)
        sigaction(SIGHUP, &HangUpBefore, nullptr);
    HangUpWatched = false;
}

void DropPendingMotion() {
    SDL_GetRelativeMouseState(nullptr, nullptr);
    MotionX = 0.0;
    MotionY = 0.0;
}

void CapturePointer(bool capture) {
    if (Window == nullptr)
        return;
    SDL_SetRelativeMouseMode(capture ? SDL_TRUE : SDL_FALSE);
    SDL_ShowCursor(SDL_DISABLE);
    DropPendingMotion();
}

// The size of the window when it is not fullscreen: the largest whole
// multiple of 640x480 that leaves a margin on the desktop.
void WindowedSize(int* width, int* height) {
    int scale = 1;
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) == 0) {
        while (ScreenWidth * (scale + 1) <= desktop.w * 9 / 10 &&
               ScreenHeight * (scale + 1) <= desktop.h * 9 / 10) {
            ++scale;
        }
    }
    *width = ScreenWidth * scale;
    *height = ScreenHeight * scale;
}

void SetIcon(const char* iconName) {
    ResourceData icon;
    if (iconName == nullptr || !FindResource(iconName, "ICON", &icon))
        return;
    SDL_RWops* stream = SDL_RWFromConstMem(icon.bytes, static_cast<int>(icon.size));
    if (stream == nullptr)
        return;
    SDL_Surface* picture = SDL_LoadBMP_RW(stream, 1);
    if (picture == nullptr)
        return;
    SDL_SetWindowIcon(Window, picture);
    SDL_FreeSurface(picture);
}

void Activate(bool active) {
    CapturePointer(active);
    if (active == Active)
        return;
    Active = active;
    WindowHandle window = CurrentGameWindow();
    if (window != nullptr)
        PostMessage(window, WM_ACTIVATEAPP, active ? 1 : 0, 0);
}

void Apply(const EventEffect& effect) {
    WindowHandle window = CurrentGameWindow();
    switch (effect.kind) {
        case EventEffect::Kind::None:
            break;
        case EventEffect::Kind::PostMessage:
            if (window == nullptr)
                break;
            if (effect.message == WM_CLOSE) {
                if (CloseRequested)
                    break;
                CloseRequested = true;
            }
            PostMessage(window, effect.message, effect.wParam, effect.lParam);
            break;
        case EventEffect::Kind::Motion:
            // Only motion made while the game has the focus counts. Where
            // relative mode is not to be had, SDL's motion is still relative
            // to the last event, which is the best there is.
            if (!Active)
                break;
            MotionX += effect.dx;
            MotionY += effect.dy;
            break;
        case EventEffect::Kind::FocusGained:
            Activate(true);
            break;
        case EventEffect::Kind::FocusLost:
            Activate(false);
            break;
        case EventEffect::Kind::ToggleFullscreen:
            ToggleFullscreen();
            break;
        case EventEffect::Kind::RenderDeviceReset:
            NoteRenderDeviceReset();
            break;
    }
}

void Handle(const SDL_Event& event) {
    if (WindowNeedsRedraw(event))
        ForgetShownFrame();
    Apply(TranslateEvent(event));
}

void ApplyPendingEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Handle(event);
    if (HangUpPending) {
        HangUpPending = 0;
        EventEffect close;
        close.kind = EventEffect::Kind::PostMessage;
        close.message = WM_CLOSE;
        Apply(close);
    }
}

// Only a window on a real screen can be drawn by more than one renderer;
// the virtual displays offer the software one alone.
bool RendererWorthAsking() {
    const char* playerDriver = std::getenv("SDL_RENDER_DRIVER");
    if (playerDriver != nullptr && playerDriver[0] != '\0')
        return false;  // the player's choice stands; nothing to ask
    const char* video = SDL_GetCurrentVideoDriver();
    return video != nullptr && std::strcmp(video, "dummy") != 0 &&
           std::strcmp(video, "offscreen") != 0;
}

}  // namespace

SDL_Window* GameSdlWindow() {
    return Window;
}

WindowHandle CreateGameWindow(const char* title, WindowProcedure procedure, const char* iconName) {
    if (Window != nullptr || procedure == nullptr)
        return nullptr;
    // Motion is scaled here, to the game's pixels, whatever the renderer
    // does; and relative mode uses raw motion, never warping the pointer.
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_SCALING, "0");
    SDL_SetHint(SDL_HINT_MOUSE_RELATIVE_MODE_WARP, "0");
    if (!StartSdl(WindowSubsystems, "the display"))
        return nullptr;
    if (NoDisplayFound()) {
        StopSdl(WindowSubsystems);
        return nullptr;
    }

    // The window starts borderless and asks to be fullscreen on the desktop,
    // never changing the monitor's mode. Where no window manager carries out
    // that request (a bare X server) it covers the desktop by itself from
    // the start. Where one does, it starts at the game's own size: made as
    // big as the desktop already, it would not change when the request is
    // carried out, and SDL would wait a tenth of a second for that change
    // before the game could go on.
    SDL_Rect desktop{0, 0, ScreenWidth, ScreenHeight};
    SDL_GetDisplayBounds(0, &desktop);
    SDL_Rect place = desktop;
    if (WindowManagerRunning() && desktop.w > ScreenWidth && desktop.h > ScreenHeight) {
        place = {desktop.x + (desktop.w - ScreenWidth) / 2,
                 desktop.y + (desktop.h - ScreenHeight) / 2, ScreenWidth, ScreenHeight};
    }
    Window = SDL_CreateWindow(
        title != nullptr ? title : "", place.x, place.y, place.w, place.h,
        SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE);
    if (Window == nullptr) {
        std::fprintf(stderr, "torvex: cannot open the game window: %s\n", SDL_GetError());
        StopSdl(WindowSubsystems);
        return nullptr;
    }
    SetIcon(iconName);
    SDL_ShowCursor(SDL_DISABLE);
    // Which renderer draws best here is found out while the window is new,
    // and known when the display opens.
    if (RendererWorthAsking())
        StartRendererProbe();

    CentreX = ScreenWidth / 2;
    CentreY = ScreenHeight / 2;
    CloseRequested = false;
    HangUpPending = 0;
    WatchHangUp();
    FramesAtLastEmptyPoll = FramesPaced();
    WindowHandle window = RegisterGameWindow(procedure);

    // As on Windows, the new window is the active one before its creation
    // returns; the focus events SDL reports for it later change nothing.
    Active = true;
    CapturePointer(true);
    procedure(window, WM_ACTIVATEAPP, 1, 0);
    return window;
}

int DestroyWindow(WindowHandle window) {
    if (window == nullptr || window != CurrentGameWindow())
        return 0;
    window->procedure(window, WM_DESTROY, 0, 0);
    UnregisterGameWindow();
    CloseDisplay();
    CancelRendererProbe();
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_DestroyWindow(Window);
    Window = nullptr;
    Active = false;
    StopWatchingHangUp();
    StopSdl(WindowSubsystems);
    return 1;
}

void CollectSystemEvents() {
    if (Window == nullptr)
        return;
    ApplyPendingEvents();
    if (QueuedMessageCount() != 0)
        return;
    // The queue is empty. When no frame has been handed to the display since
    // the last time it was, the game is only polling: rest until an event
    // comes or a moment has passed, so a game in the background does not
    // keep a core busy. A game that hands over frames (shown, or the same
    // as the one on the screen) is paced by the display instead.
    if (FramesPaced() == FramesAtLastEmptyPoll) {
        SDL_Event event;
        if (SDL_WaitEventTimeout(&event, IdlePollMilliseconds)) {
            Handle(event);
            ApplyPendingEvents();
        }
    }
    FramesAtLastEmptyPoll = FramesPaced();
}

void GetCursorPos(int32_t* x, int32_t* y) {
    const double scale = GamePixelScale();
    *x = CentreX + static_cast<int32_t>(std::trunc(MotionX / scale));
    *y = CentreY + static_cast<int32_t>(std::trunc(MotionY / scale));
}

void SetCursorPos(int32_t x, int32_t y) {
    CentreX = x;
    CentreY = y;
    const double scale = GamePixelScale();
    MotionX -= std::trunc(MotionX / scale) * scale;
    MotionY -= std::trunc(MotionY / scale) * scale;
}

void HideSystemCursor() {
    SDL_ShowCursor(SDL_DISABLE);
}

void ToggleFullscreen() {
    if (Window == nullptr)
        return;
    const bool fullscreen = (SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (fullscreen) {
        int width = ScreenWidth;
        int height = ScreenHeight;
        WindowedSize(&width, &height);
        SDL_SetWindowFullscreen(Window, 0);
        SDL_SetWindowBordered(Window, SDL_TRUE);
        SDL_SetWindowSize(Window, width, height);
        SDL_SetWindowPosition(Window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        const int display = std::max(0, SDL_GetWindowDisplayIndex(Window));
        SDL_Rect desktop{0, 0, ScreenWidth, ScreenHeight};
        SDL_GetDisplayBounds(display, &desktop);
        SDL_SetWindowBordered(Window, SDL_FALSE);
        SDL_SetWindowPosition(Window, desktop.x, desktop.y);
        SDL_SetWindowSize(Window, desktop.w, desktop.h);
        SDL_SetWindowFullscreen(Window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    ForgetShownFrame();  // the picture is laid out afresh in the new size
    DropPendingMotion();
}

void ReleasePointerForModal() {
    if (Window == nullptr)
        return;
    SDL_SetRelativeMouseMode(SDL_FALSE);
    SDL_ShowCursor(SDL_ENABLE);
}

void CapturePointerAfterModal() {
    if (Window == nullptr)
        return;
    CapturePointer(Active);
}
