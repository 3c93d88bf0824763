// SDL's events become the game's messages: keys with their Windows codes,
// auto-repeats included, the system's Alt combinations, both buttons, the
// close request, focus and motion.
#include <gtest/gtest.h>

#include "platform/sdl/sdl_events.h"

namespace {

using Kind = EventEffect::Kind;

SDL_Event Key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE, bool repeat = false,
              Uint32 type = SDL_KEYDOWN) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    event.key.keysym.mod = modifiers;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

SDL_Event Button(Uint8 button, Uint32 type) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    return event;
}

SDL_Event Window(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

SDL_Event Of(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    return event;
}

void ExpectMessage(const EventEffect& effect, uint32_t message, WPARAM wParam = 0) {
    EXPECT_EQ(effect.kind, Kind::PostMessage);
    EXPECT_EQ(effect.message, message);
    EXPECT_EQ(effect.wParam, wParam);
}

TEST(VirtualKeys, FollowTheWindowsCodes) {
    EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyOf(SDLK_RETURN, SDL_SCANCODE_RETURN), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), VK_RETURN);
    EXPECT_EQ(VirtualKeyOf(SDLK_SPACE, SDL_SCANCODE_SPACE), VK_SPACE);
    EXPECT_EQ(VirtualKeyOf(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), VK_BACK);
    EXPECT_EQ(VirtualKeyOf(SDLK_LEFT, SDL_SCANCODE_LEFT), VK_LEFT);
    EXPECT_EQ(VirtualKeyOf(SDLK_DOWN, SDL_SCANCODE_DOWN), VK_DOWN);
    const SDL_Keycode functionKeys[] = {SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F4,  SDLK_F5,  SDLK_F6,
                                        SDLK_F7, SDLK_F8, SDLK_F9, SDLK_F10, SDLK_F11, SDLK_F12};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(VirtualKeyOf(functionKeys[i], SDL_GetScancodeFromKey(functionKeys[i])),
                  VK_F1 + static_cast<uint32_t>(i))
            << "F" << i + 1;
    }
    EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_A), 0x41u);
    EXPECT_EQ(VirtualKeyOf(SDLK_z, SDL_SCANCODE_Z), 0x5Au);
    EXPECT_EQ(VirtualKeyOf(SDLK_0, SDL_SCANCODE_0), 0x30u);
    EXPECT_EQ(VirtualKeyOf(SDLK_9, SDL_SCANCODE_9), 0x39u);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_0, SDL_SCANCODE_KP_0), 0x60u);
    EXPECT_EQ(VirtualKeyOf(SDLK_KP_7, SDL_SCANCODE_KP_7), 0x67u);
    EXPECT_EQ(VirtualKeyOf(SDLK_LSHIFT, SDL_SCANCODE_LSHIFT), VK_SHIFT);
    EXPECT_EQ(VirtualKeyOf(SDLK_RALT, SDL_SCANCODE_RALT), VK_MENU);
    EXPECT_EQ(VirtualKeyOf(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0u);
}

TEST(VirtualKeys, LettersFollowTheLayoutAndFallBackToThePosition) {
    // On a French keyboard the key in the place of Q types 'a': it is VK 'A'.
    EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_Q), 0x41u);
    // A Cyrillic letter has no Latin code: the key's place decides.
    EXPECT_EQ(VirtualKeyOf(0x0444 /* ф */, SDL_SCANCODE_A), 0x41u);
    EXPECT_EQ(VirtualKeyOf(0x0444, SDL_SCANCODE_2), 0x32u);
}

TEST(KeyEvents, EveryPressIncludingAutoRepeatIsAKeyDown) {
    const EventEffect press = TranslateEvent(Key(SDLK_F1));
    ExpectMessage(press, WM_KEYDOWN, VK_F1);
    EXPECT_EQ(press.lParam, 1) << "a repeat count of one, no previous state";

    const EventEffect repeat = TranslateEvent(Key(SDLK_F1, KMOD_NONE, true));
    ExpectMessage(repeat, WM_KEYDOWN, VK_F1);
    EXPECT_EQ(repeat.lParam, 1 | (LPARAM{1} << 30)) << "the key was already down";

    ExpectMessage(TranslateEvent(Key(SDLK_ESCAPE, KMOD_LSHIFT)), WM_KEYDOWN, VK_ESCAPE);
    ExpectMessage(TranslateEvent(Key(SDLK_F9, KMOD_NUM | KMOD_CAPS)), WM_KEYDOWN, VK_F9);
    EXPECT_EQ(TranslateEvent(Key(SDLK_F1, KMOD_NONE, false, SDL_KEYUP)).kind, Kind::None)
        << "releases mean nothing to the game";
    EXPECT_EQ(TranslateEvent(Key(SDLK_UNKNOWN)).kind, Kind::None);
}

TEST(KeyEvents, AltCombinationsBelongToTheSystem) {
    // Alt+F4 closes, once per press; Alt+Enter switches fullscreen and the
    // game sees nothing of either.
    ExpectMessage(TranslateEvent(Key(SDLK_F4, KMOD_LALT)), WM_CLOSE);
    EXPECT_EQ(TranslateEvent(Key(SDLK_F4, KMOD_LALT, true)).kind, Kind::None);
    EXPECT_EQ(TranslateEvent(Key(SDLK_RETURN, KMOD_RALT)).kind, Kind::ToggleFullscreen);
    EXPECT_EQ(TranslateEvent(Key(SDLK_KP_ENTER, KMOD_LALT)).kind, Kind::ToggleFullscreen);
    EXPECT_EQ(TranslateEvent(Key(SDLK_RETURN, KMOD_LALT, true)).kind, Kind::None)
        << "holding Alt+Enter does not flicker between the two";

    // Any other key with Alt is a system key: not F1 to the game.
    const EventEffect altF1 = TranslateEvent(Key(SDLK_F1, KMOD_LALT));
    ExpectMessage(altF1, WM_SYSKEYDOWN, VK_F1);
    EXPECT_EQ(altF1.lParam, 1 | (LPARAM{1} << 29));
    ExpectMessage(TranslateEvent(Key(SDLK_LALT, KMOD_LALT)), WM_SYSKEYDOWN, VK_MENU);
    ExpectMessage(TranslateEvent(Key(SDLK_RETURN)), WM_KEYDOWN, VK_RETURN);
}

TEST(MouseEvents, BothButtonsPressAndReleaseAndOthersAreIgnored) {
    ExpectMessage(TranslateEvent(Button(SDL_BUTTON_LEFT, SDL_MOUSEBUTTONDOWN)), WM_LBUTTONDOWN);
    ExpectMessage(TranslateEvent(Button(SDL_BUTTON_LEFT, SDL_MOUSEBUTTONUP)), WM_LBUTTONUP);
    ExpectMessage(TranslateEvent(Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONDOWN)), WM_RBUTTONDOWN);
    ExpectMessage(TranslateEvent(Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONUP)), WM_RBUTTONUP);
    EXPECT_EQ(TranslateEvent(Button(SDL_BUTTON_MIDDLE, SDL_MOUSEBUTTONDOWN)).kind, Kind::None);
    EXPECT_EQ(TranslateEvent(Button(SDL_BUTTON_X1, SDL_MOUSEBUTTONUP)).kind, Kind::None);
    EXPECT_EQ(TranslateEvent(Of(SDL_MOUSEWHEEL)).kind, Kind::None);

    SDL_Event motion = Of(SDL_MOUSEMOTION);
    motion.motion.xrel = -7;
    motion.motion.yrel = 12;
    const EventEffect moved = TranslateEvent(motion);
    EXPECT_EQ(moved.kind, Kind::Motion);
    EXPECT_EQ(moved.dx, -7);
    EXPECT_EQ(moved.dy, 12);
}

TEST(WindowEvents, CloseFocusAndResetAreRecognised) {
    ExpectMessage(TranslateEvent(Window(SDL_WINDOWEVENT_CLOSE)), WM_CLOSE);
    ExpectMessage(TranslateEvent(Of(SDL_QUIT)), WM_CLOSE);
    EXPECT_EQ(TranslateEvent(Window(SDL_WINDOWEVENT_FOCUS_GAINED)).kind, Kind::FocusGained);
    EXPECT_EQ(TranslateEvent(Window(SDL_WINDOWEVENT_FOCUS_LOST)).kind, Kind::FocusLost);
    EXPECT_EQ(TranslateEvent(Window(SDL_WINDOWEVENT_RESIZED)).kind, Kind::None);
    EXPECT_EQ(TranslateEvent(Of(SDL_RENDER_DEVICE_RESET)).kind, Kind::RenderDeviceReset);
    EXPECT_EQ(TranslateEvent(Of(SDL_TEXTINPUT)).kind, Kind::None);
}

}  // namespace
