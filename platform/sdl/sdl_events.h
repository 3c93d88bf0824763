// SPDX-License-Identifier: MIT
// Turning SDL's events into what the game understands: window messages with
// Windows virtual-key codes, pointer motion, and the few things the backend
// handles itself. A pure function of the event, so tests can feed it
// events they made up.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "platform/platform.h"

// Another Windows name the game does not need but the translation does: the
// Alt key arrives as VK_MENU in a WM_SYSKEYDOWN.
constexpr uint32_t VK_SHIFT = 0x10;
constexpr uint32_t VK_CONTROL = 0x11;
constexpr uint32_t VK_MENU = 0x12;

struct EventEffect {
    enum class Kind {
        None,               // nothing for the game
        PostMessage,        // post `message` with `wParam` and `lParam`
        Motion,             // relative pointer motion of (dx, dy) window pixels
        FocusGained,        // the game window got the keyboard focus
        FocusLost,          // ... and lost it
        ToggleFullscreen,   // Alt+Enter
        RenderDeviceReset,  // the renderer's textures are gone
    };
    Kind kind = Kind::None;
    uint32_t message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    int32_t dx = 0;
    int32_t dy = 0;
};

// The Windows virtual-key code of a key, 0 when it has none. Letters and
// digits follow the keyboard layout (the key that types 'a' is VK 'A'); on a
// layout without Latin letters they fall back to the key's position.
uint32_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode);

// What one SDL event means for the game:
//   - left and right buttons: WM_LBUTTONDOWN/UP, WM_RBUTTONDOWN/UP;
//   - a key press (auto-repeats too): WM_KEYDOWN with the virtual-key code;
//     with Alt held, WM_SYSKEYDOWN instead, as on Windows, except Alt+Enter,
//     which toggles fullscreen, and Alt+F4, which is the close request;
//   - the release of Tab (held for the overview): WM_KEYUP with VK_TAB;
//     other releases mean nothing to the game;
//   - the window manager's close request, and SDL's quit request (a
//     terminating signal), as WM_CLOSE;
//   - focus gained and lost, relative motion, a renderer reset.
EventEffect TranslateEvent(const SDL_Event& event);

// Whether the event says the window's contents may be gone or no longer
// fit (exposed, shown, resized, restored, maximised, moved to another
// display, the render targets reset): the next frame must be shown even
// when it is the one shown last.
bool WindowNeedsRedraw(const SDL_Event& event);
