// SPDX-License-Identifier: MIT
// SDL's events become the game's messages: keys with their Windows codes,
// auto-repeats included, the system's Alt combinations, both buttons, the
// close request, focus and motion.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "platform/sdl/sdl_events.h"
#include "tests/platform/sdl_test_events.h"

namespace {

using Kind = EventEffect::Kind;

TEST(VirtualKeys, FollowTheWindowsCodesAndTheLayout) {
    const std::pair<SDL_Keycode, uint32_t> keys[] = {
        {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_RETURN, VK_RETURN}, {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_F1, VK_F1},         {SDLK_F9, VK_F9},         {SDLK_F12, VK_F12},
        {SDLK_a, 0x41},           {SDLK_z, 0x5A},           {SDLK_0, 0x30},
        {SDLK_9, 0x39},           {SDLK_KP_0, 0x60},        {SDLK_KP_7, 0x67},
        {SDLK_LSHIFT, VK_SHIFT},  {SDLK_RALT, VK_MENU},     {SDLK_UNKNOWN, 0},
    };
    for (const auto& [key, code] : keys)
        EXPECT_EQ(VirtualKeyOf(key, SDL_GetScancodeFromKey(key)), code) << "key " << key;

    // On a French keyboard the key in the place of Q types 'a': it is VK 'A'.
    EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_Q), 0x41u);
    // A Cyrillic letter has no Latin code: the key's place decides.
    EXPECT_EQ(VirtualKeyOf(0x0444 /* ф */, SDL_SCANCODE_A), 0x41u);
    EXPECT_EQ(VirtualKeyOf(0x0444, SDL_SCANCODE_2), 0x32u);
}

EventEffect Posts(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return {Kind::PostMessage, message, wParam, lParam};
}

TEST(TranslateEvent, GivesTheGameItsMessagesAndTheSystemItsOwn) {
    SDL_Event release = Key(SDLK_F1);
    release.type = SDL_KEYUP;
    SDL_Event tabRelease = Key(SDLK_TAB);
    tabRelease.type = SDL_KEYUP;
    constexpr LPARAM Alt = LPARAM{1} << 29;
    constexpr LPARAM AlreadyDown = LPARAM{1} << 30;
    constexpr LPARAM GoingUp = LPARAM{1} << 31;
    const std::pair<SDL_Event, EventEffect> cases[] = {
        {Key(SDLK_F1), Posts(WM_KEYDOWN, VK_F1, 1)},  // a repeat count of one
        {Key(SDLK_F1, KMOD_NONE, true), Posts(WM_KEYDOWN, VK_F1, 1 | AlreadyDown)},
        {Key(SDLK_F9, KMOD_NUM | KMOD_CAPS), Posts(WM_KEYDOWN, VK_F9, 1)},
        {Key(SDLK_RETURN), Posts(WM_KEYDOWN, VK_RETURN, 1)},
        // Releases mean nothing to the game but for Tab's, held for the overview.
        {release, {}},
        {tabRelease, Posts(WM_KEYUP, VK_TAB, 1 | AlreadyDown | GoingUp)},
        {Key(SDLK_TAB), Posts(WM_KEYDOWN, VK_TAB, 1)},
        {Key(SDLK_UNKNOWN), {}},
        // Alt+F4 closes, once per press; Alt+Enter switches fullscreen and
        // the game sees nothing of either, nor does holding it flicker; any
        // other key with Alt is a system key, not F1 to the game.
        {Key(SDLK_F4, KMOD_LALT), Posts(WM_CLOSE)},
        {Key(SDLK_F4, KMOD_LALT, true), {}},
        {Key(SDLK_RETURN, KMOD_RALT), {Kind::ToggleFullscreen}},
        {Key(SDLK_RETURN, KMOD_LALT, true), {}},
        {Key(SDLK_F1, KMOD_LALT), Posts(WM_SYSKEYDOWN, VK_F1, 1 | Alt)},
        {Key(SDLK_LALT, KMOD_LALT), Posts(WM_SYSKEYDOWN, VK_MENU, 1 | Alt)},
        {Button(SDL_BUTTON_LEFT, SDL_MOUSEBUTTONDOWN), Posts(WM_LBUTTONDOWN)},
        {Button(SDL_BUTTON_LEFT, SDL_MOUSEBUTTONUP), Posts(WM_LBUTTONUP)},
        {Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONDOWN), Posts(WM_RBUTTONDOWN)},
        {Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONUP), Posts(WM_RBUTTONUP)},
        {Button(SDL_BUTTON_MIDDLE, SDL_MOUSEBUTTONDOWN), {}},
        {Of(SDL_MOUSEWHEEL), {}},
        {Motion(-7, 12), {Kind::Motion, 0, 0, 0, -7, 12}},
        {Window(SDL_WINDOWEVENT_CLOSE), Posts(WM_CLOSE)},
        {Of(SDL_QUIT), Posts(WM_CLOSE)},
        {Window(SDL_WINDOWEVENT_FOCUS_GAINED), {Kind::FocusGained}},
        {Window(SDL_WINDOWEVENT_FOCUS_LOST), {Kind::FocusLost}},
        {Window(SDL_WINDOWEVENT_RESIZED), {}},
        {Of(SDL_RENDER_DEVICE_RESET), {Kind::RenderDeviceReset}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("case " + std::to_string(i + 1) + " of the table");
        const EventEffect effect = TranslateEvent(cases[i].first);
        const EventEffect& expected = cases[i].second;
        EXPECT_EQ(effect.kind, expected.kind);
        EXPECT_EQ(effect.message, expected.message);
        EXPECT_EQ(effect.wParam, expected.wParam);
        EXPECT_EQ(effect.lParam, expected.lParam);
        EXPECT_EQ(effect.dx, expected.dx);
        EXPECT_EQ(effect.dy, expected.dy);
    }
}

}  // namespace
