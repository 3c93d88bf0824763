// SPDX-License-Identifier: MIT
// The scripts of the headless runner: plain text, one command per line,
// '#' starts a comment. See README.md ("The headless runner") for the
// commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/replay_format.h"

enum class CommandKind {
    Clock,     // tick count at program start
    Step,      // clock advance before each pass
    Move,      // pointer offset seen by the next pass
    Key,       // WM_KEYDOWN
    KeyDown,   // WM_KEYDOWN of a key that is then held
    KeyUp,     // WM_KEYUP: the held key let go
    Down,      // button press
    Up,        // button release
    Click,     // press, then release
    Activate,  // WM_ACTIVATEAPP
    Close,     // the window manager's close request
    Dialog,    // next answer of the open dialog
    Pass,      // passes of the main loop
    Wait,      // passes until the clock has advanced by some milliseconds
    Shot,      // the last frame as a BMP file
    Dump,      // the game state as JSON
    // A replay's own commands (app/replay_format.h).
    Replay,   // the recording program and the map
    State,    // the state at the start of the recorded game
    Message,  // a window message as the game received it
    Drain,    // the rest of the pass the recorded game was started in
    Passes,   // recorded passes
};

enum class Button { Left, Right };

struct ScriptCommand {
    CommandKind kind = CommandKind::Pass;
    int line = 0;        // 1-based line of the script it came from
    int64_t number = 0;  // clock, step, pass count, wait, activate flag
    int32_t dx = 0;      // move
    int32_t dy = 0;
    uint32_t virtualKey = 0;  // key, keydown, keyup
    Button button = Button::Left;
    bool cancel = false;  // dialog cancel
    std::string text;     // dialog path, shot and dump file

    // A replay's commands.
    ReplayMap map;
    std::vector<int64_t> stateNumbers;
    std::vector<std::string> stateTexts;
    Message message{};
    std::vector<ReplayPass> passes;
};

// Parses a whole script. On a malformed line returns false with `error`
// naming the line, e.g. "line 3: unknown key \"F13\"".
bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands, std::string* error);

// The virtual-key code of a key name (Escape, F1..F12, Enter, Space, Tab,
// A..Z, 0..9; letter case does not matter), or 0 when there is none.
uint32_t VirtualKeyFromName(const std::string& name);
