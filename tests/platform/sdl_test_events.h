// SPDX-License-Identifier: MIT
// SDL events as the system would report them, for the SDL backend's tests.
#pragma once

#include <SDL.h>

inline SDL_Event Of(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    return event;
}

inline SDL_Event Key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE, bool repeat = false) {
    SDL_Event event = Of(SDL_KEYDOWN);
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

inline SDL_Event Button(Uint8 button, Uint32 type) {
    SDL_Event event = Of(type);
    event.button.button = button;
    return event;
}

inline SDL_Event Window(Uint8 what) {
    SDL_Event event = Of(SDL_WINDOWEVENT);
    event.window.event = what;
    return event;
}

inline SDL_Event Motion(int dx, int dy) {
    SDL_Event event = Of(SDL_MOUSEMOTION);
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    return event;
}
