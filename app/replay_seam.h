// SPDX-License-Identifier: MIT
// The seam between the platform and the game, where replays are made and
// played: every clock reading, pointer movement and message the game takes
// from the platform passes through here, whatever the backend.
//
// Recording: from the moment a game is started (F1 or the menu) until the
// player leaves its end (back on the title), the recorder writes what the game
// took, in the replay script (app/replay_format.h), into a buffer reserved at
// start-up, and keeps the replay of a finished game in the replay folder
// (app/replay_files.h). A game abandoned by a new start or a close is not kept.
//
// Watching: the passes of a replay take their clock readings, pointer
// movements and messages from the replay instead, and what the player does
// goes to the watcher (app/replay_watch.h).
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

// 1 while a replay is being played (watched, or run by the runner): the
// settings file is then never written, and no replay is recorded.
extern int32_t PlayingReplay;

// Where finished games are kept; empty: games are not recorded. The torvex
// program keeps them in the player's data folder; tests and the runner
// only when asked.
extern std::string ReplayFolder;

// At start-up, once the map is loaded: reserves the recording buffer and
// notes the map (path and hash), so that recording costs no allocation later.
void StartReplayRecorder();

// --- the main loop's side ------------------------------------------------------

// At the start of each pass: from here to EndPass, the clock holds one reading.
void BeginPass();
// The pointer's offset from the screen centre, as this pass takes it.
void ReadPassPointer(int32_t* dx, int32_t* dy);
// For each message the loop takes from the queue: 1 when the game handles it,
// 0 when it is not the game's (the watcher's keys while a replay plays).
int TakeMessage(const Message& message);
// After the game has handled it.
void MessageHandled(const Message& message);
// At the end of each pass that did not end the program.
void EndPass();

// --- the game's side --------------------------------------------------------------

// A game is being started (inside the message that starts it).
void NoteGameStarted();
// The game posts a message to itself; it is not the player's input.
void NoteOwnMessage(uint32_t message);

// --- for the watcher --------------------------------------------------------------

// The next pass plays `step`, `dx`, `dy` of a replay and `messages` posted
// messages of it before any other.
void SupplyReplayPass(uint32_t reading, int32_t dx, int32_t dy, int32_t messages);
// Where the player's own messages go while a replay plays.
using PlayerMessageHandler = void (*)(const Message& message);
void WatchReplayThrough(PlayerMessageHandler handler);

// Back to the values at process start (tests).
void ResetReplaySeam();

// The text of the last replay the recorder finished (kept or not), for tests.
const std::string& LastRecordedReplay();
