// SPDX-License-Identifier: MIT
#include "platform/sdl/sdl_events.h"

namespace {

struct KeyPair {
    SDL_Keycode key;
    uint32_t virtualKey;
};

// Keys whose code does not follow from a range below.
constexpr KeyPair NamedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},  {SDLK_TAB, VK_TAB},       {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN}, {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE},
    {SDLK_PAUSE, 0x13},         {SDLK_CAPSLOCK, 0x14},    {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},      {SDLK_END, 0x23},         {SDLK_HOME, 0x24},
    {SDLK_LEFT, VK_LEFT},       {SDLK_UP, VK_UP},         {SDLK_RIGHT, VK_RIGHT},
    {SDLK_DOWN, VK_DOWN},       {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},        {SDLK_LGUI, 0x5B},        {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D},   {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},      {SDLK_KP_PERIOD, 0x6E},   {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90},  {SDLK_SCROLLLOCK, 0x91},  {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},       {SDLK_RALT, VK_MENU},     {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},        {SDLK_COMMA, 0xBC},       {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},        {SDLK_SLASH, 0xBF},       {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},   {SDLK_BACKSLASH, 0xDC},   {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

// Keys whose codes run in step with SDL's: the function keys and the keypad
// digits (numeric lock on).
uint32_t RangeKey(SDL_Keycode key) {
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
    if (key >= SDLK_F13 && key <= SDLK_F24)
        return 0x7C + static_cast<uint32_t>(key - SDLK_F13);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return 0x61 + static_cast<uint32_t>(key - SDLK_KP_1);
    if (key == SDLK_KP_0)
        return 0x60;
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + static_cast<uint32_t>(key - SDLK_0);
    return 0;
}

// By position, for layouts whose letter keys type no Latin letters.
uint32_t KeyByPosition(SDL_Scancode scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + static_cast<uint32_t>(scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + static_cast<uint32_t>(scancode - SDL_SCANCODE_1);
    }
    if (scancode == SDL_SCANCODE_0)
        return '0';
    return 0;
}

// The key message's lParam as Windows fills it, as far as it means anything
// here: a repeat count of 1, bit 29 while Alt is held, bit 30 for an
// auto-repeat (the key was already down).
LPARAM KeyParameter(const SDL_KeyboardEvent& key, bool alt) {
    LPARAM parameter = 1;
    if (alt)
        parameter |= LPARAM{1} << 29;
    if (key.repeat)
        parameter |= LPARAM{1} << 30;
    return parameter;
}

EventEffect Post(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0) {
    EventEffect effect;
    effect.kind = EventEffect::Kind::PostMessage;
    effect.message = message;
    effect.wParam = wParam;
    effect.lParam = lParam;
    return effect;
}

EventEffect Only(EventEffect::Kind kind) {
    EventEffect effect;
    effect.kind = kind;
    return effect;
}

EventEffect TranslateKey(const SDL_KeyboardEvent& key) {
    const uint32_t virtualKey = VirtualKeyOf(key.keysym.sym, key.keysym.scancode);
    if (virtualKey == 0)
        return {};
    const bool alt = (key.keysym.mod & KMOD_ALT) != 0;
    if (!alt)
        return Post(WM_KEYDOWN, virtualKey, KeyParameter(key, false));
    // With Alt held (the Alt key itself included) the key is the system's,
    // as on Windows: the game never takes it for one of its own keys. Two
    // of them the system acts on.
    if (virtualKey == VK_RETURN) {
        return key.repeat ? EventEffect() : Only(EventEffect::Kind::ToggleFullscreen);
    }
    if (virtualKey == VK_F4)
        return key.repeat ? EventEffect() : Post(WM_CLOSE);
    return Post(WM_SYSKEYDOWN, virtualKey, KeyParameter(key, true));
}

// Of the releases only Tab's means something to the game: the overview is
// shown while it is held. As on Windows, a key that goes up was down (bit 30)
// and is in transition (bit 31).
EventEffect TranslateKeyRelease(const SDL_KeyboardEvent& key) {
    if (VirtualKeyOf(key.keysym.sym, key.keysym.scancode) != VK_TAB)
        return {};
    return Post(WM_KEYUP, VK_TAB, 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

EventEffect TranslateWindowEvent(const SDL_WindowEvent& window) {
    switch (window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            return Only(EventEffect::Kind::FocusGained);
        case SDL_WINDOWEVENT_FOCUS_LOST:
            return Only(EventEffect::Kind::FocusLost);
        case SDL_WINDOWEVENT_CLOSE:
            return Post(WM_CLOSE);
        default:
            return {};
    }
}

EventEffect TranslateButton(const SDL_MouseButtonEvent& button, bool down) {
    // The game never reads the coordinates of a click: it acts on what lies
    // under the centre cursor.
    if (button.button == SDL_BUTTON_LEFT)
        return Post(down ? WM_LBUTTONDOWN : WM_LBUTTONUP);
    if (button.button == SDL_BUTTON_RIGHT)
        return Post(down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    return {};
}

}  // namespace

uint32_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode) {
    for (const KeyPair& pair : NamedKeys) {
        if (pair.key == key)
            return pair.virtualKey;
    }
    const uint32_t ranged = RangeKey(key);
    if (ranged != 0)
        return ranged;
    return KeyByPosition(scancode);
}

EventEffect TranslateEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_KEYDOWN:
            return TranslateKey(event.key);
        case SDL_KEYUP:
            return TranslateKeyRelease(event.key);
        case SDL_MOUSEBUTTONDOWN:
            return TranslateButton(event.button, true);
        case SDL_MOUSEBUTTONUP:
            return TranslateButton(event.button, false);
        case SDL_MOUSEMOTION: {
            EventEffect effect = Only(EventEffect::Kind::Motion);
            effect.dx = event.motion.xrel;
            effect.dy = event.motion.yrel;
            return effect;
        }
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(event.window);
        case SDL_QUIT:
            return Post(WM_CLOSE);
        case SDL_RENDER_DEVICE_RESET:
            return Only(EventEffect::Kind::RenderDeviceReset);
        default:
            return {};
    }
}

bool WindowNeedsRedraw(const SDL_Event& event) {
    if (event.type == SDL_RENDER_TARGETS_RESET || event.type == SDL_RENDER_DEVICE_RESET)
        return true;
    if (event.type != SDL_WINDOWEVENT)
        return false;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            return true;
        default:
            return false;
    }
}
