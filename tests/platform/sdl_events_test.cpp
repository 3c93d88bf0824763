// SDL's events become the game's messages: keys with their Windows codes,
// auto-repeats included, the system's Alt combinations, both buttons, the
// close request, focus and motion.
#include <gtest/gtest.h>

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

TEST(TranslateEvent, GivesTheGameItsMessagesAndTheSystemItsOwn) {
    SDL_Event release = Key(SDLK_F1);
    release.type = SDL_KEYUP;
    constexpr LPARAM Alt = LPARAM{1} << 29;
    constexpr LPARAM AlreadyDown = LPARAM{1} << 30;
    const struct {
        const char* what;
        SDL_Event event;
        EventEffect effect;
    } cases[] = {
        {"a press", Key(SDLK_F1), {Kind::PostMessage, WM_KEYDOWN, VK_F1, 1}},
        {"an auto-repeat",
         Key(SDLK_F1, KMOD_NONE, true),
         {Kind::PostMessage, WM_KEYDOWN, VK_F1, 1 | AlreadyDown}},
        {"Shift", Key(SDLK_ESCAPE, KMOD_LSHIFT), {Kind::PostMessage, WM_KEYDOWN, VK_ESCAPE, 1}},
        {"the locks",
         Key(SDLK_F9, KMOD_NUM | KMOD_CAPS),
         {Kind::PostMessage, WM_KEYDOWN, VK_F9, 1}},
        {"Enter alone", Key(SDLK_RETURN), {Kind::PostMessage, WM_KEYDOWN, VK_RETURN, 1}},
        {"a release, nothing to the game", release, {}},
        {"an unknown key", Key(SDLK_UNKNOWN), {}},
        // Alt+F4 closes, once per press; Alt+Enter switches fullscreen and
        // the game sees nothing of either; any other key with Alt is a
        // system key, not F1 to the game.
        {"Alt+F4", Key(SDLK_F4, KMOD_LALT), {Kind::PostMessage, WM_CLOSE}},
        {"Alt+F4 held", Key(SDLK_F4, KMOD_LALT, true), {}},
        {"Alt+Enter", Key(SDLK_RETURN, KMOD_RALT), {Kind::ToggleFullscreen}},
        {"Alt+keypad Enter", Key(SDLK_KP_ENTER, KMOD_LALT), {Kind::ToggleFullscreen}},
        {"Alt+Enter held does not flicker", Key(SDLK_RETURN, KMOD_LALT, true), {}},
        {"Alt+F1", Key(SDLK_F1, KMOD_LALT), {Kind::PostMessage, WM_SYSKEYDOWN, VK_F1, 1 | Alt}},
        {"Alt", Key(SDLK_LALT, KMOD_LALT), {Kind::PostMessage, WM_SYSKEYDOWN, VK_MENU, 1 | Alt}},
        {"left down",
         Button(SDL_BUTTON_LEFT, SDL_MOUSEBUTTONDOWN),
         {Kind::PostMessage, WM_LBUTTONDOWN}},
        {"left up", Button(SDL_BUTTON_LEFT, SDL_MOUSEBUTTONUP), {Kind::PostMessage, WM_LBUTTONUP}},
        {"right down",
         Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONDOWN),
         {Kind::PostMessage, WM_RBUTTONDOWN}},
        {"right up",
         Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONUP),
         {Kind::PostMessage, WM_RBUTTONUP}},
        {"middle", Button(SDL_BUTTON_MIDDLE, SDL_MOUSEBUTTONDOWN), {}},
        {"a side button", Button(SDL_BUTTON_X1, SDL_MOUSEBUTTONUP), {}},
        {"the wheel", Of(SDL_MOUSEWHEEL), {}},
        {"motion", Motion(-7, 12), {Kind::Motion, 0, 0, 0, -7, 12}},
        {"closing the window", Window(SDL_WINDOWEVENT_CLOSE), {Kind::PostMessage, WM_CLOSE}},
        {"quitting", Of(SDL_QUIT), {Kind::PostMessage, WM_CLOSE}},
        {"focus gained", Window(SDL_WINDOWEVENT_FOCUS_GAINED), {Kind::FocusGained}},
        {"focus lost", Window(SDL_WINDOWEVENT_FOCUS_LOST), {Kind::FocusLost}},
        {"a resize", Window(SDL_WINDOWEVENT_RESIZED), {}},
        {"a device reset", Of(SDL_RENDER_DEVICE_RESET), {Kind::RenderDeviceReset}},
        {"typed text", Of(SDL_TEXTINPUT), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const EventEffect effect = TranslateEvent(c.event);
        EXPECT_EQ(effect.kind, c.effect.kind);
        EXPECT_EQ(effect.message, c.effect.message);
        EXPECT_EQ(effect.wParam, c.effect.wParam);
        EXPECT_EQ(effect.lParam, c.effect.lParam);
        EXPECT_EQ(effect.dx, c.effect.dx);
        EXPECT_EQ(effect.dy, c.effect.dy);
    }
}

}  // namespace
