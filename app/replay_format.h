// SPDX-License-Identifier: MIT
// A replay: a script of the headless runner that plays one game again,
// exactly. Besides the runner's ordinary commands it uses five of its own:
//
//   replay VERSION SHA256 PATH   the program that recorded it, and the map:
//                                the hash of the map file's bytes and its path
//   state NAME=VALUE ...         the game's state at the moment the game was
//                                started (F1 or the menu's "Game Start")
//   message ID WPARAM LPARAM     a window message, as the game received it
//   drain                        the rest of the pass the game was started in:
//                                the queued messages are handled, the pass counted
//   passes CODES ...             whole passes of the main loop, each written as
//                                three symbols: the clock step since the last
//                                reading, and the pointer's x and y movement
//
// A pass's symbols come from PassSymbols: a step of 0..61 ms is one symbol
// (its position in the alphabet: '0' is 0, 'G' is 16), a movement of -30..31
// one symbol (position minus 30: 'U' is 0); anything else is written in
// decimal between parentheses, "(250)" or "(-41)". "[N]" repeats the pass
// before it N more times. A pass in which the game read no clock has step 0.
// Messages belong to the pass after them: it handles them when it drains
// its queue, after its frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// One whole pass of the main loop.
struct ReplayPass {
    uint32_t step = 0;  // milliseconds the clock moved since the reading before
    int32_t dx = 0;     // the pointer's movement the pass read
    int32_t dy = 0;
    bool operator==(const ReplayPass& other) const {
        return step == other.step && dx == other.dx && dy == other.dy;
    }
};

extern const char PassSymbols[];

// A whole decimal number as scripts and replays write it: an optional
// leading '-', then at most 12 digits; no blanks, nothing after.
bool ParseDecimal(const std::string& word, int64_t* value);

// Appends one pass, or a repeat count, in the code above.
void AppendPassCode(const ReplayPass& pass, std::string* text);
void AppendRepeatCode(uint32_t count, std::string* text);

// Reads the passes of one or more codes joined together. False, with
// `error`, on a malformed code.
bool ParsePassCodes(const std::string& codes, std::vector<ReplayPass>* passes, std::string* error);

// Texts inside a replay line: blanks, '#', '%', '=' and bytes outside
// printable ASCII as %XX.
std::string EscapeReplayText(const std::string& text);
bool UnescapeReplayText(const std::string& text, std::string* plain);

// The map line: `replay VERSION SHA256 PATH`.
struct ReplayMap {
    std::string version;
    std::string hash;
    std::string path;
};
bool ParseReplayMapArguments(const std::vector<std::string>& words, ReplayMap* map,
                             std::string* error);

// The state a replay starts from: every global that what follows the start of a
// game reads before setting it, and the counters a state dump shows.
// CaptureReplayState writes it as `state` arguments; ApplyReplayState sets
// the globals from them (all must be there, and nothing else).
std::string CaptureReplayState();
bool ParseReplayState(const std::vector<std::string>& words, std::vector<int64_t>* numbers,
                      std::vector<std::string>* texts, std::string* error);
void ApplyReplayState(const std::vector<int64_t>& numbers, const std::vector<std::string>& texts);

// The clock reading held in the `state` line (the moment of the start).
uint32_t ReplayStateTick(const std::vector<int64_t>& numbers);

// A message line's arguments.
bool ParseReplayMessage(const std::vector<std::string>& words, Message* message,
                        std::string* error);
