// SPDX-License-Identifier: MIT
// Keys on the page: which key the browser reports, what the game calls it,
// and who gets it. A pure function of the key event's fields, so it is
// tested without a browser.
//
// The browser keeps the keys that are its own: Escape (which gives the
// pointer back and leaves fullscreen), F10 and F12, and every combination
// with Ctrl, Alt or Meta. F11 and Alt+Enter put the game area in fullscreen
// or take it out, the habits of the desktop. Every other key with a
// virtual-key code goes to the game, and the browser's own meaning of it
// (F1 help, F3 find, F5 reload, Space scrolling, Tab moving through the
// page) is prevented while the game has the focus. Tab is held for the
// overview of the field, so its release goes to the game too.
#pragma once

#include <cstdint>

// The Windows virtual-key code of a key from the browser's KeyboardEvent:
// `key` is what it types on the player's layout ("a", "F1", "Escape", " "),
// `code` where it sits on the keyboard ("KeyA", "F1", "Numpad7"). Letters
// and digits follow the layout; a key that types no Latin letter or digit
// falls back to its place. 0 when the game has no code for it.
uint32_t VirtualKeyOfBrowserKey(const char* key, const char* code);

enum class KeyRoute {
    Game,        // a WM_KEYDOWN with `virtualKey`; the browser's meaning is prevented
    Fullscreen,  // the page switches the game area into or out of fullscreen
    Browser,     // left to the browser
};

struct KeyDecision {
    KeyRoute route = KeyRoute::Browser;
    uint32_t virtualKey = 0;
};

// Who gets a key press, with the modifier keys held at the time.
KeyDecision RouteKey(const char* key, const char* code, bool ctrl, bool alt, bool meta);
