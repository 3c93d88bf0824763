// SPDX-License-Identifier: MIT
// The real game on the headless machine, driven command by command by a
// script. The runner program uses it, and so do the tests, which look at
// the game's globals between commands.
//
// It expects a fresh machine and a fresh game (a new process, or
// HeadlessReset and ResetGame), and runs one game.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/runner/script.h"

class ScriptedGame {
  public:
    // `commandLine` is the game's argument text.
    explicit ScriptedGame(std::string commandLine);

    // Runs one command. False, with `error` naming the script line, when it
    // cannot be carried out (a file that cannot be written, a clock set
    // after the start).
    bool Run(const ScriptCommand& command, std::string* error);

    // Parses a script text and runs its commands in order.
    bool RunScript(const std::string& text, std::string* error);

    // What the runner does when a script ends: starts the game if nothing
    // has yet, sends the close request if it still runs, and runs passes
    // until it has ended.
    bool Finish(std::string* error);

    bool Started() const { return started_; }
    bool Running() const { return running_; }
    // WinMain's result once the game has ended.
    int ExitCode() const { return exitCode_; }

    // Every visible effect so far, in order, and "exit N" once it has ended.
    std::vector<std::string> LogLines() const;

    // Whether the script is a replay (it has a replay line).
    bool IsReplay() const { return isReplay_; }

  private:
    std::string commandLine_;
    bool isReplay_ = false;
    ReplayMap replayMap_;
    uint32_t startTick_ = 0;
    uint32_t step_ = 10;
    bool started_ = false;
    bool running_ = false;
    int exitCode_ = 0;

    void Start();
    void RunPass();
    bool StartReplay(const ScriptCommand& command, std::string* error);
    void RunRecordedPass(const ReplayPass& pass);
};
