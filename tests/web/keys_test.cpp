// SPDX-License-Identifier: MIT
// Keys on the page: the browser's key names become the game's codes, and
// each press goes to the game, the fullscreen switch or the browser.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "platform/platform.h"
#include "platform/web/web_keys.h"

namespace {

TEST(BrowserKeys, FollowTheWindowsCodesTheLayoutAndThePlace) {
    const std::tuple<const char*, const char*, uint32_t> keys[] = {
        {"F1", "F1", VK_F1},
        {"F9", "F9", VK_F9},
        {"F12", "F12", VK_F12},
        {"F24", "F24", 0x87},
        {"Escape", "Escape", VK_ESCAPE},
        {"Enter", "NumpadEnter", VK_RETURN},
        {" ", "Space", VK_SPACE},
        {"ArrowDown", "ArrowDown", VK_DOWN},
        {"a", "KeyA", 'A'},
        {"Z", "KeyZ", 'Z'},  // with Shift held
        {"7", "Digit7", '7'},
        {"&", "Digit1", '1'},  // Shift+1 on a US keyboard, 1 on a French one
        {"q", "KeyA", 'Q'},    // the key in the place of A types Q: it is Q
        {"ф", "KeyA", 'A'},    // no Latin letter: the place decides
        {"7", "Numpad7", 0x67},
        {"Home", "Numpad7", 0x67},  // the keypad's digits whatever they type
        {"Shift", "ShiftLeft", 0x10},
        {"F0", "", 0},
        {"F25", "", 0},
        {"Dead", "BracketLeft", 0},
        {"", "", 0},
    };
    for (const auto& [key, code, virtualKey] : keys)
        EXPECT_EQ(VirtualKeyOfBrowserKey(key, code), virtualKey) << key << " at " << code;
    EXPECT_EQ(VirtualKeyOfBrowserKey(nullptr, nullptr), 0u);
}

struct Press {
    const char* key;
    const char* code;
    bool ctrl;
    bool alt;
    bool meta;
};

std::string Routed(const Press& press) {
    const KeyDecision decision = RouteKey(press.key, press.code, press.ctrl, press.alt, press.meta);
    switch (decision.route) {
        case KeyRoute::Game:
            return "game " + std::to_string(decision.virtualKey);
        case KeyRoute::Fullscreen:
            return "fullscreen";
        case KeyRoute::Browser:
            return decision.virtualKey == 0 ? "browser" : "browser with a code";
    }
    return "?";
}

TEST(RouteKey, TheGameHasItsKeysTheBrowserKeepsItsOwn) {
    const std::string game = "game ";
    const std::pair<Press, std::string> cases[] = {
        // The game's keys, whose browser meanings (help, find, reload) give way.
        {{"F1", "F1", false, false, false}, game + std::to_string(VK_F1)},
        {{"F3", "F3", false, false, false}, game + std::to_string(VK_F3)},
        {{"F5", "F5", false, false, false}, game + std::to_string(VK_F5)},
        {{"F9", "F9", false, false, false}, game + std::to_string(VK_F9)},
        {{" ", "Space", false, false, false}, game + std::to_string(VK_SPACE)},
        {{"a", "KeyA", false, false, false}, game + "65"},
        // Tab is held for the overview; with a modifier it is left alone.
        {{"Tab", "Tab", false, false, false}, game + std::to_string(VK_TAB)},
        {{"Tab", "Tab", false, true, false}, "browser"},
        // The desktop's fullscreen habits, in both forms.
        {{"F11", "F11", false, false, false}, "fullscreen"},
        {{"Enter", "Enter", false, true, false}, "fullscreen"},
        // Escape gives the pointer back; F10 and F12 are the browser's; so
        // is anything with Ctrl, Alt or Meta.
        {{"Escape", "Escape", false, false, false}, "browser"},
        {{"F10", "F10", false, false, false}, "browser"},
        {{"F12", "F12", false, false, false}, "browser"},
        {{"r", "KeyR", true, false, false}, "browser"},
        {{"F1", "F1", false, true, false}, "browser"},
        {{"F11", "F11", true, false, false}, "browser"},
        {{"Enter", "Enter", true, true, false}, "browser"},
        {{"l", "KeyL", false, false, true}, "browser"},
        {{"Dead", "Quote", false, false, false}, "browser"},
    };
    for (const auto& [press, route] : cases) {
        EXPECT_EQ(Routed(press), route)
            << press.key << (press.ctrl ? " +Ctrl" : "") << (press.alt ? " +Alt" : "")
            << (press.meta ? " +Meta" : "");
    }
}

}  // namespace
