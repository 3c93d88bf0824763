// SPDX-License-Identifier: MIT
#include "platform/web/web_keys.h"

#include <cstring>

#include "platform/platform.h"

namespace {

struct NamedKey {
    const char* name;
    uint32_t virtualKey;
};

// Keys the browser names by a word, whatever the layout.
constexpr NamedKey NamedKeys[] = {
    {"Backspace", VK_BACK}, {"Tab", VK_TAB},        {"Enter", VK_RETURN},  {"Escape", VK_ESCAPE},
    {" ", VK_SPACE},        {"ArrowLeft", VK_LEFT}, {"ArrowUp", VK_UP},    {"ArrowRight", VK_RIGHT},
    {"ArrowDown", VK_DOWN}, {"Shift", 0x10},        {"Control", 0x11},     {"Alt", 0x12},
    {"Pause", 0x13},        {"CapsLock", 0x14},     {"PageUp", 0x21},      {"PageDown", 0x22},
    {"End", 0x23},          {"Home", 0x24},         {"PrintScreen", 0x2C}, {"Insert", 0x2D},
    {"Delete", 0x2E},
};

bool Same(const char* a, const char* b) {
    return std::strcmp(a, b) == 0;
}

bool StartsWith(const char* text, const char* prefix) {
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

// "F1" to "F24": the function keys, whose codes run in step.
uint32_t FunctionKey(const char* key) {
    if (key[0] != 'F' || key[1] < '1' || key[1] > '9')
        return 0;
    int number = key[1] - '0';
    if (key[2] != '\0') {
        if (key[2] < '0' || key[2] > '9' || key[3] != '\0')
            return 0;
        number = number * 10 + (key[2] - '0');
    }
    if (number < 1 || number > 24)
        return 0;
    return VK_F1 + static_cast<uint32_t>(number - 1);
}

// A single Latin letter or digit typed by the key.
uint32_t TypedCharacter(const char* key) {
    if (key[0] == '\0' || key[1] != '\0')
        return 0;
    const char c = key[0];
    if (c >= 'a' && c <= 'z')
        return static_cast<uint32_t>('A' + (c - 'a'));
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return static_cast<uint32_t>(c);
    return 0;
}

// By the key's place: "KeyA" to "KeyZ", "Digit0" to "Digit9".
uint32_t KeyByPlace(const char* code) {
    if (StartsWith(code, "Key") && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0')
        return static_cast<uint32_t>(code[3]);
    if (StartsWith(code, "Digit") && code[5] >= '0' && code[5] <= '9' && code[6] == '\0')
        return static_cast<uint32_t>(code[5]);
    return 0;
}

// The keypad's digits have codes of their own (0x60 to 0x69), as on the
// desktop, whatever they type.
uint32_t KeypadDigit(const char* code) {
    if (StartsWith(code, "Numpad") && code[6] >= '0' && code[6] <= '9' && code[7] == '\0')
        return 0x60 + static_cast<uint32_t>(code[6] - '0');
    return 0;
}

}  // namespace

uint32_t VirtualKeyOfBrowserKey(const char* key, const char* code) {
    if (key == nullptr)
        key = "";
    if (code == nullptr)
        code = "";
    const uint32_t keypad = KeypadDigit(code);
    if (keypad != 0)
        return keypad;
    for (const NamedKey& named : NamedKeys) {
        if (Same(key, named.name))
            return named.virtualKey;
    }
    const uint32_t function = FunctionKey(key);
    if (function != 0)
        return function;
    const uint32_t typed = TypedCharacter(key);
    if (typed != 0)
        return typed;
    return KeyByPlace(code);
}

KeyDecision RouteKey(const char* key, const char* code, bool ctrl, bool alt, bool meta) {
    const uint32_t virtualKey = VirtualKeyOfBrowserKey(key, code);
    KeyDecision decision;
    if ((virtualKey == VK_F11 && !ctrl && !alt && !meta) ||
        (virtualKey == VK_RETURN && alt && !ctrl && !meta)) {
        decision.route = KeyRoute::Fullscreen;
        return decision;
    }
    if (virtualKey == 0 || ctrl || alt || meta)
        return decision;
    if (virtualKey == VK_ESCAPE || virtualKey == VK_F10 || virtualKey == VK_F12) {
        return decision;
    }
    decision.route = KeyRoute::Game;
    decision.virtualKey = virtualKey;
    return decision;
}
