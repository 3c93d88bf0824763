// SPDX-License-Identifier: MIT
// The game window on a page: the canvas, its keys, buttons and pointer, and
// whether the game has the focus.
//
// The mouse steers the game by its movement alone, so the page takes the
// pointer with the browser's Pointer Lock when the player clicks the
// picture (that click only takes it). The browser gives the pointer back on
// its own terms: Escape, another tab, another window. The game then sees
// what a desktop window that lost the focus sees, a deactivation, and a
// click on the picture brings it back. Where a browser refuses the lock,
// the movement it reports while the pointer is free is used instead.
#include <emscripten/html5.h>

#include <cmath>

#include "platform/common/message_queue.h"
#include "platform/platform.h"
#include "platform/web/pointer_motion.h"
#include "platform/web/web_backend.h"
#include "platform/web/web_keys.h"

namespace {

constexpr const char* CanvasTarget = "#canvas";

bool WindowOpen = false;

// Whether the game was last told it is active.
bool Active = false;

// Whether the pointer belongs to the game: locked to the canvas, or (where
// the browser refuses the lock) taken by a click without it.
bool Captured = false;
bool CapturedWithoutLock = false;

// The pointer lock was given back for a notice or the map choice: that is
// no loss of focus.
bool ReleasingForModal = false;

// Buttons whose press reached the game; only their releases follow it. The
// click that takes the pointer is the page's, press and release.
bool LeftDown = false;
bool RightDown = false;

// A map chosen on the page while a game runs closes that game, once.
bool CloseRequested = false;

int32_t CentreX = ScreenWidth / 2;
int32_t CentreY = ScreenHeight / 2;
PointerMotion Motion;

void Post(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    WindowHandle window = CurrentGameWindow();
    if (window != nullptr)
        PostMessage(window, message, wParam, lParam);
}

void ShowStatus() {
    if (!WindowOpen)
        return;
    torvex_page_set_status(!Active ? "paused" : Captured ? "playing" : "ready");
}

void Activate(bool active) {
    if (active == Active)
        return;
    Active = active;
    Post(WM_ACTIVATEAPP, active ? 1 : 0);
    if (!active) {
        // Releases made while the game is in the background never reach it.
        LeftDown = false;
        RightDown = false;
    }
}

void TakePointer(bool withLock) {
    Captured = true;
    CapturedWithoutLock = !withLock;
    Motion.Clear();
    Activate(true);
    ShowStatus();
}

void LosePointer() {
    const bool wasCaptured = Captured;
    Captured = false;
    CapturedWithoutLock = false;
    Motion.Clear();
    if (wasCaptured && !ReleasingForModal)
        Activate(false);
    ReleasingForModal = false;
    ShowStatus();
}

// The focus leaves the game: another tab, another window.
void LoseFocus() {
    if (!WindowOpen)
        return;
    if (Captured && !CapturedWithoutLock)
        emscripten_exit_pointerlock();
    Captured = false;
    CapturedWithoutLock = false;
    Motion.Clear();
    Activate(false);
    ShowStatus();
}

bool GameHasKeys() {
    return WindowOpen && Active && (Captured || torvex_page_canvas_focused());
}

EM_BOOL OnKeyDown(int, const EmscriptenKeyboardEvent* key, void*) {
    const KeyDecision decision =
        RouteKey(key->key, key->code, key->ctrlKey != 0, key->altKey != 0, key->metaKey != 0);
    switch (decision.route) {
        case KeyRoute::Fullscreen:
            if (key->repeat)
                return EM_TRUE;
            torvex_page_toggle_fullscreen();
            return EM_TRUE;
        case KeyRoute::Game:
            if (!GameHasKeys())
                return EM_FALSE;
            // As on Windows: a repeat count of one, bit 30 for an auto-repeat.
            Post(WM_KEYDOWN, decision.virtualKey, key->repeat ? (LPARAM{1} << 30) | 1 : 1);
            return EM_TRUE;
        case KeyRoute::Browser:
            // Without the lock, Escape gives the pointer back all the same.
            if (CapturedWithoutLock && VirtualKeyOfBrowserKey(key->key, key->code) == VK_ESCAPE) {
                LoseFocus();
            }
            return EM_FALSE;
    }
    return EM_FALSE;
}

// Of the releases only Tab's matters: the overview is shown while it is
// held. It is told to the game even when the focus has gone meanwhile, so
// the overview never outlasts the key.
EM_BOOL OnKeyUp(int, const EmscriptenKeyboardEvent* key, void*) {
    if (!WindowOpen || VirtualKeyOfBrowserKey(key->key, key->code) != VK_TAB)
        return EM_FALSE;
    Post(WM_KEYUP, VK_TAB, 1 | (LPARAM{1} << 30));
    return GameHasKeys() ? EM_TRUE : EM_FALSE;
}

EM_BOOL OnCanvasMouseDown(int, const EmscriptenMouseEvent* mouse, void*) {
    if (!WindowOpen)
        return EM_FALSE;
    torvex_page_focus_canvas();
    if (!Captured) {
        // This click takes the pointer and does nothing else.
        if (emscripten_request_pointerlock(CanvasTarget, EM_FALSE) != EMSCRIPTEN_RESULT_SUCCESS)
            TakePointer(false);
        return EM_TRUE;
    }
    if (mouse->button == 0 && !LeftDown) {
        LeftDown = true;
        Post(WM_LBUTTONDOWN);
    } else if (mouse->button == 2 && !RightDown) {
        RightDown = true;
        Post(WM_RBUTTONDOWN);
    }
    return EM_TRUE;
}

// Releases are caught on the whole page: a free pointer may have left the
// canvas while the button was held.
EM_BOOL OnMouseUp(int, const EmscriptenMouseEvent* mouse, void*) {
    if (mouse->button == 0 && LeftDown) {
        LeftDown = false;
        Post(WM_LBUTTONUP);
        return EM_TRUE;
    }
    if (mouse->button == 2 && RightDown) {
        RightDown = false;
        Post(WM_RBUTTONUP);
        return EM_TRUE;
    }
    return EM_FALSE;
}

EM_BOOL OnMouseMove(int, const EmscriptenMouseEvent* mouse, void*) {
    if (!Captured || !Active)
        return EM_FALSE;
    Motion.Add(static_cast<double>(mouse->movementX), static_cast<double>(mouse->movementY));
    return EM_FALSE;
}

EM_BOOL OnPointerLockChange(int, const EmscriptenPointerlockChangeEvent* change, void*) {
    if (!WindowOpen)
        return EM_FALSE;
    if (change->isActive) {
        TakePointer(true);
    } else if (!CapturedWithoutLock) {
        LosePointer();
    }
    return EM_FALSE;
}

EM_BOOL OnPointerLockError(int, const void*, void*) {
    // The browser refuses the lock: the game takes the movement it gets.
    if (WindowOpen && !Captured)
        TakePointer(false);
    return EM_FALSE;
}

EM_BOOL OnVisibilityChange(int, const EmscriptenVisibilityChangeEvent* visibility, void*) {
    if (visibility->hidden) {
        LoseFocus();
        NotePageHidden();
    }
    return EM_FALSE;
}

EM_BOOL OnBlur(int, const EmscriptenFocusEvent*, void*) {
    LoseFocus();
    return EM_FALSE;
}

const char* OnBeforeUnload(int, const void*, void*) {
    NotePageHidden();
    return nullptr;  // no question to the player
}

void ListenToThePage() {
    static bool listening = false;
    if (listening)
        return;
    listening = true;
    const char* page = EMSCRIPTEN_EVENT_TARGET_DOCUMENT;
    emscripten_set_keydown_callback(page, nullptr, EM_FALSE, OnKeyDown);
    emscripten_set_keyup_callback(page, nullptr, EM_FALSE, OnKeyUp);
    emscripten_set_mousedown_callback(CanvasTarget, nullptr, EM_FALSE, OnCanvasMouseDown);
    emscripten_set_mouseup_callback(page, nullptr, EM_FALSE, OnMouseUp);
    emscripten_set_mousemove_callback(page, nullptr, EM_FALSE, OnMouseMove);
    emscripten_set_pointerlockchange_callback(page, nullptr, EM_FALSE, OnPointerLockChange);
    emscripten_set_pointerlockerror_callback(page, nullptr, EM_FALSE, OnPointerLockError);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, OnVisibilityChange);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, OnBlur);
    emscripten_set_beforeunload_callback(nullptr, OnBeforeUnload);
}

}  // namespace

WindowHandle CreateGameWindow(const char*, WindowProcedure procedure, const char*) {
    if (WindowOpen || procedure == nullptr)
        return nullptr;
    ListenToThePage();
    WindowOpen = true;
    CloseRequested = false;
    Captured = false;
    CapturedWithoutLock = false;
    LeftDown = false;
    RightDown = false;
    CentreX = ScreenWidth / 2;
    CentreY = ScreenHeight / 2;
    Motion.Clear();
    WindowHandle window = RegisterGameWindow(procedure);
    // As on the desktop, the new window is the active one before its
    // creation returns; the pointer is the player's until a click takes it.
    Active = true;
    procedure(window, WM_ACTIVATEAPP, 1, 0);
    torvex_page_focus_canvas();
    ShowStatus();
    return window;
}

int DestroyWindow(WindowHandle window) {
    if (window == nullptr || window != CurrentGameWindow())
        return 0;
    window->procedure(window, WM_DESTROY, 0, 0);
    UnregisterGameWindow();
    CloseDisplay();
    if (Captured && !CapturedWithoutLock) {
        ReleasingForModal = true;
        emscripten_exit_pointerlock();
    }
    WindowOpen = false;
    Active = false;
    Captured = false;
    CapturedWithoutLock = false;
    torvex_page_set_status("ended");
    return 1;
}

void CollectSystemEvents() {
    // The browser delivers its events between frames, straight into the
    // queue. What is left: a map chosen on the page closes the game that
    // runs, as the window manager's close would, so the next one can start.
    if (WindowOpen && !CloseRequested && torvex_page_choice_waiting()) {
        CloseRequested = true;
        Post(WM_CLOSE);
    }
}

void GetCursorPos(int32_t* x, int32_t* y) {
    int32_t dx = 0;
    int32_t dy = 0;
    Motion.Read(torvex_display_scale(), &dx, &dy);
    *x = CentreX + dx;
    *y = CentreY + dy;
}

void SetCursorPos(int32_t x, int32_t y) {
    CentreX = x;
    CentreY = y;
    Motion.Consume(torvex_display_scale());
}

void HideSystemCursor() {
    // The pointer is hidden over the canvas by the page's style sheet, and
    // is gone altogether while it is locked.
}

void ReleasePointerForModal() {
    if (!Captured)
        return;
    if (CapturedWithoutLock) {
        Captured = false;
        CapturedWithoutLock = false;
        ShowStatus();
        return;
    }
    ReleasingForModal = true;
    emscripten_exit_pointerlock();
}
