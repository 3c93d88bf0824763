// SPDX-License-Identifier: MIT
#include "tools/runner/scripted_game.h"

#include "app/main_loop.h"
#include "app/replay_seam.h"
#include "files/sha256.h"
#include "platform/headless/headless.h"
#include "tools/runner/state_dump.h"

namespace {

// More passes than any close takes: the game ends within the drain that
// handles the close request.
constexpr int ClosingPassLimit = 1000;

std::string AtLine(const ScriptCommand& command, const std::string& message) {
    return "line " + std::to_string(command.line) + ": " + message;
}

}  // namespace

ScriptedGame::ScriptedGame(std::string commandLine) : commandLine_(std::move(commandLine)) {}

void ScriptedGame::Start() {
    if (started_)
        return;
    started_ = true;
    HeadlessSetTicks(startTick_);
    running_ = StartUpGame(commandLine_.c_str()) == 1;
    exitCode_ = 0;
}

void ScriptedGame::RunPass() {
    if (!running_)
        return;
    HeadlessAdvanceTicks(step_);
    if (!RunMainLoopPass()) {
        running_ = false;
        exitCode_ = 1;
    }
}

// A replay is played on the map it names, unless the command line names
// one; either way only on a map with the very bytes it was recorded on. The
// game it plays never writes the settings file, nor a replay of its own.
bool ScriptedGame::StartReplay(const ScriptCommand& command, std::string* error) {
    if (!isReplay_) {
        *error = AtLine(command, "a replay's state needs its replay line first");
        return false;
    }
    if (commandLine_.empty())
        commandLine_ = replayMap_.path;
    std::string hash;
    if (!Sha256OfFile(commandLine_.c_str(), &hash)) {
        *error = AtLine(command, "cannot read the replay's map \"" + commandLine_ + "\"");
        return false;
    }
    if (hash != replayMap_.hash) {
        *error = AtLine(command, "the map \"" + commandLine_ +
                                     "\" is not the one this replay was played on (its "
                                     "SHA-256 differs)");
        return false;
    }
    PlayingReplay = 1;
    Start();
    if (!running_)
        return true;
    HeadlessSetTicks(ReplayStateTick(command.stateNumbers));
    ApplyReplayState(command.stateNumbers, command.stateTexts);
    return true;
}

void ScriptedGame::RunRecordedPass(const ReplayPass& pass) {
    if (!running_)
        return;
    HeadlessAdvanceTicks(pass.step);
    HeadlessMovePointer(pass.dx, pass.dy);
    if (!RunMainLoopPass()) {
        running_ = false;
        exitCode_ = 1;
    }
}

bool ScriptedGame::Run(const ScriptCommand& command, std::string* error) {
    switch (command.kind) {
        case CommandKind::Replay:
            replayMap_ = command.map;
            isReplay_ = true;
            return true;
        case CommandKind::State:
            return StartReplay(command, error);
        case CommandKind::Clock:
            if (started_) {
                *error = AtLine(command, "clock must come before the game starts");
                return false;
            }
            startTick_ = static_cast<uint32_t>(command.number);
            return true;
        case CommandKind::Step:
            step_ = static_cast<uint32_t>(command.number);
            return true;
        case CommandKind::Dialog:
            if (command.cancel) {
                HeadlessAddDialogCancel();
            } else {
                HeadlessAddDialogAnswer(command.text);
            }
            return true;
        default:
            break;
    }

    Start();
    switch (command.kind) {
        case CommandKind::Move:
            HeadlessMovePointer(command.dx, command.dy);
            break;
        case CommandKind::Key:
        case CommandKind::KeyDown:
            HeadlessPostInput(WM_KEYDOWN, command.virtualKey);
            break;
        case CommandKind::KeyUp:
            HeadlessPostInput(WM_KEYUP, command.virtualKey);
            break;
        case CommandKind::Down:
            HeadlessPostInput(command.button == Button::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
            break;
        case CommandKind::Up:
            HeadlessPostInput(command.button == Button::Left ? WM_LBUTTONUP : WM_RBUTTONUP);
            break;
        case CommandKind::Click:
            HeadlessPostInput(command.button == Button::Left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN);
            HeadlessPostInput(command.button == Button::Left ? WM_LBUTTONUP : WM_RBUTTONUP);
            break;
        case CommandKind::Activate:
            HeadlessPostInput(WM_ACTIVATEAPP, static_cast<WPARAM>(command.number));
            break;
        case CommandKind::Close:
            HeadlessPostInput(WM_CLOSE);
            break;
        case CommandKind::Pass:
            for (int64_t i = 0; i < command.number && running_; ++i)
                RunPass();
            break;
        case CommandKind::Wait: {
            if (step_ == 0 && command.number > 0) {
                *error = AtLine(command, "wait with step 0 would never end");
                return false;
            }
            const uint32_t begin = GetTickCount();
            while (running_ && GetTickCount() - begin < static_cast<uint32_t>(command.number)) {
                RunPass();
            }
            break;
        }
        case CommandKind::Message:
            HeadlessPostInput(command.message.message, command.message.wParam,
                              command.message.lParam);
            break;
        case CommandKind::Drain:
            if (running_ && !FinishMainLoopPass()) {
                running_ = false;
                exitCode_ = 1;
            }
            break;
        case CommandKind::Passes:
            for (const ReplayPass& pass : command.passes)
                RunRecordedPass(pass);
            break;
        case CommandKind::Shot:
            if (!HeadlessWriteFrameBmp(command.text)) {
                *error = AtLine(command, "cannot write the picture \"" + command.text + "\"");
                return false;
            }
            break;
        case CommandKind::Dump:
            if (!WriteGameStateJson(command.text)) {
                *error = AtLine(command, "cannot write the state \"" + command.text + "\"");
                return false;
            }
            break;
        default:
            break;
    }
    return true;
}

bool ScriptedGame::RunScript(const std::string& text, std::string* error) {
    std::vector<ScriptCommand> commands;
    if (!ParseScript(text, &commands, error))
        return false;
    for (const ScriptCommand& command : commands) {
        if (!Run(command, error))
            return false;
    }
    return true;
}

bool ScriptedGame::Finish(std::string* error) {
    Start();
    if (!running_)
        return true;
    HeadlessPostInput(WM_CLOSE);
    for (int i = 0; i < ClosingPassLimit && running_; ++i)
        RunPass();
    if (running_) {
        *error = "the game did not end after the close request";
        return false;
    }
    return true;
}

std::vector<std::string> ScriptedGame::LogLines() const {
    std::vector<std::string> lines = HeadlessLog();
    if (started_ && !running_)
        lines.push_back("exit " + std::to_string(exitCode_));
    return lines;
}
