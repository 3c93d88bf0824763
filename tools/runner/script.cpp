// SPDX-License-Identifier: MIT
#include "tools/runner/script.h"

#include <cctype>
#include <limits>
#include <sstream>

#include "app/replay_format.h"
#include "platform/platform.h"

namespace {

// Upper limits that keep a typing slip from running for hours.
constexpr int64_t MaxStep = 3600000;   // one hour per pass
constexpr int64_t MaxWait = 86400000;  // one day
constexpr int64_t MaxPasses = 100000000;
constexpr int64_t MaxMove = 1000000;
constexpr int64_t DefaultStep = 10;

std::string Trim(const std::string& text) {
    size_t first = 0;
    size_t last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

// A whole decimal integer within [low, high].
bool ParseInteger(const std::string& word, int64_t low, int64_t high, int64_t* value) {
    int64_t result = 0;
    if (!ParseDecimal(word, &result) || result < low || result > high)
        return false;
    *value = result;
    return true;
}

class LineParser {
  public:
    LineParser(int line, std::string rest) : line_(line), rest_(std::move(rest)) {}

    std::string error;

    bool Fail(const std::string& message) {
        error = "line " + std::to_string(line_) + ": " + message;
        return false;
    }

    bool Parse(const std::string& word, const std::vector<std::string>& arguments,
               ScriptCommand* command) {
        command->line = line_;
        if (word == "clock")
            return Number(CommandKind::Clock, arguments, 0, std::numeric_limits<uint32_t>::max(),
                          command);
        if (word == "step")
            return Number(CommandKind::Step, arguments, 0, MaxStep, command);
        if (word == "wait")
            return Number(CommandKind::Wait, arguments, 0, MaxWait, command);
        if (word == "pass") {
            if (arguments.empty()) {
                command->kind = CommandKind::Pass;
                command->number = 1;
                return true;
            }
            return Number(CommandKind::Pass, arguments, 1, MaxPasses, command);
        }
        if (word == "activate")
            return Number(CommandKind::Activate, arguments, 0, 1, command);
        if (word == "move")
            return Move(arguments, command);
        if (word == "key")
            return Key(CommandKind::Key, arguments, command);
        if (word == "keydown")
            return Key(CommandKind::KeyDown, arguments, command);
        if (word == "keyup")
            return Key(CommandKind::KeyUp, arguments, command);
        if (word == "down")
            return ButtonCommand(CommandKind::Down, arguments, command);
        if (word == "up")
            return ButtonCommand(CommandKind::Up, arguments, command);
        if (word == "click")
            return ButtonCommand(CommandKind::Click, arguments, command);
        if (word == "close") {
            if (!arguments.empty())
                return Fail("close takes no arguments");
            command->kind = CommandKind::Close;
            return true;
        }
        if (word == "dialog")
            return Dialog(command);
        if (word == "shot")
            return FileCommand(CommandKind::Shot, command);
        if (word == "dump")
            return FileCommand(CommandKind::Dump, command);
        if (word == "replay" || word == "state" || word == "message" || word == "drain" ||
            word == "passes") {
            return ReplayCommand(word, arguments, command);
        }
        return Fail("unknown command \"" + word + "\"");
    }

  private:
    int line_;
    std::string rest_;  // the line after the command word, comment removed

    bool Number(CommandKind kind, const std::vector<std::string>& arguments, int64_t low,
                int64_t high, ScriptCommand* command) {
        const std::string name = KindName(kind);
        if (arguments.size() != 1)
            return Fail(name + " takes one number");
        if (!ParseInteger(arguments[0], low, high, &command->number)) {
            return Fail(name + " needs a whole number from " + std::to_string(low) + " to " +
                        std::to_string(high) + ", not \"" + arguments[0] + "\"");
        }
        command->kind = kind;
        return true;
    }

    bool Move(const std::vector<std::string>& arguments, ScriptCommand* command) {
        int64_t dx = 0;
        int64_t dy = 0;
        if (arguments.size() != 2)
            return Fail("move takes two numbers, DX and DY");
        if (!ParseInteger(arguments[0], -MaxMove, MaxMove, &dx) ||
            !ParseInteger(arguments[1], -MaxMove, MaxMove, &dy)) {
            return Fail("move needs two whole numbers from -1000000 to 1000000");
        }
        command->kind = CommandKind::Move;
        command->dx = static_cast<int32_t>(dx);
        command->dy = static_cast<int32_t>(dy);
        return true;
    }

    bool Key(CommandKind kind, const std::vector<std::string>& arguments, ScriptCommand* command) {
        if (arguments.size() != 1)
            return Fail(KindName(kind) + " takes one key name");
        command->virtualKey = VirtualKeyFromName(arguments[0]);
        if (command->virtualKey == 0)
            return Fail("unknown key \"" + arguments[0] + "\"");
        command->kind = kind;
        return true;
    }

    bool ButtonCommand(CommandKind kind, const std::vector<std::string>& arguments,
                       ScriptCommand* command) {
        const std::string name = KindName(kind);
        if (arguments.size() != 1)
            return Fail(name + " takes left or right");
        if (arguments[0] == "left") {
            command->button = Button::Left;
        } else if (arguments[0] == "right") {
            command->button = Button::Right;
        } else {
            return Fail(name + " takes left or right, not \"" + arguments[0] + "\"");
        }
        command->kind = kind;
        return true;
    }

    // The rest of the line is the path, blanks included.
    bool Dialog(ScriptCommand* command) {
        const std::string answer = Trim(rest_);
        if (answer.empty())
            return Fail("dialog takes a path or the word cancel");
        command->kind = CommandKind::Dialog;
        command->cancel = answer == "cancel";
        if (!command->cancel)
            command->text = answer;
        return true;
    }

    bool FileCommand(CommandKind kind, ScriptCommand* command) {
        const std::string path = Trim(rest_);
        if (path.empty())
            return Fail(KindName(kind) + " takes a file name");
        command->kind = kind;
        command->text = path;
        return true;
    }

    // The commands a replay is written in (app/replay_format.h).
    bool ReplayCommand(const std::string& word, const std::vector<std::string>& arguments,
                       ScriptCommand* command) {
        std::string problem;
        bool parsed = true;
        if (word == "replay") {
            command->kind = CommandKind::Replay;
            parsed = ParseReplayMapArguments(arguments, &command->map, &problem);
        } else if (word == "state") {
            command->kind = CommandKind::State;
            parsed =
                ParseReplayState(arguments, &command->stateNumbers, &command->stateTexts, &problem);
        } else if (word == "message") {
            command->kind = CommandKind::Message;
            parsed = ParseReplayMessage(arguments, &command->message, &problem);
        } else if (word == "drain") {
            command->kind = CommandKind::Drain;
            parsed = arguments.empty();
            problem = "drain takes no arguments";
        } else {
            command->kind = CommandKind::Passes;
            std::string codes;
            for (const std::string& argument : arguments)
                codes += argument;
            parsed = !codes.empty() && ParsePassCodes(codes, &command->passes, &problem);
            if (codes.empty())
                problem = "passes takes the codes of passes";
        }
        return parsed || Fail(problem);
    }

    static std::string KindName(CommandKind kind) {
        switch (kind) {
            case CommandKind::Clock:
                return "clock";
            case CommandKind::Step:
                return "step";
            case CommandKind::Wait:
                return "wait";
            case CommandKind::Pass:
                return "pass";
            case CommandKind::Activate:
                return "activate";
            case CommandKind::Key:
                return "key";
            case CommandKind::KeyDown:
                return "keydown";
            case CommandKind::KeyUp:
                return "keyup";
            case CommandKind::Down:
                return "down";
            case CommandKind::Up:
                return "up";
            case CommandKind::Click:
                return "click";
            case CommandKind::Shot:
                return "shot";
            case CommandKind::Dump:
                return "dump";
            default:
                return "command";
        }
    }
};

// Commands that may come before the game has started; every other one
// starts it.
bool NeedsNoGame(CommandKind kind) {
    return kind == CommandKind::Clock || kind == CommandKind::Step || kind == CommandKind::Dialog ||
           kind == CommandKind::Replay;
}

}  // namespace

uint32_t VirtualKeyFromName(const std::string& name) {
    const std::string key = Lower(name);
    if (key == "escape" || key == "esc")
        return VK_ESCAPE;
    if (key == "enter" || key == "return")
        return VK_RETURN;
    if (key == "space")
        return VK_SPACE;
    if (key == "tab")
        return VK_TAB;
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z')
        return static_cast<uint32_t>('A' + key[0] - 'a');
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9')
        return static_cast<uint32_t>(key[0]);
    if (key.size() >= 2 && key[0] == 'f') {
        int64_t number = 0;
        if (ParseInteger(key.substr(1), 1, 12, &number) && key[1] != '-' && key[1] != '0') {
            return VK_F1 + static_cast<uint32_t>(number - 1);
        }
    }
    return 0;
}

bool ParseScript(const std::string& text, std::vector<ScriptCommand>* commands,
                 std::string* error) {
    commands->clear();
    std::istringstream stream(text);
    std::string rawLine;
    int line = 0;
    int64_t step = DefaultStep;
    bool gameStarted = false;
    bool replayMap = false;
    while (std::getline(stream, rawLine)) {
        ++line;
        std::string content = rawLine.substr(0, rawLine.find('#'));
        if (!content.empty() && content.back() == '\r')
            content.pop_back();
        const std::vector<std::string> words = Words(content);
        if (words.empty())
            continue;

        const std::string afterWord = content.substr(content.find(words[0]) + words[0].size());
        LineParser parser(line, afterWord);
        ScriptCommand command;
        const std::vector<std::string> arguments(words.begin() + 1, words.end());
        if (!parser.Parse(words[0], arguments, &command)) {
            *error = parser.error;
            return false;
        }

        // What can be checked before anything runs is checked here, so a
        // script never fails half-way through for a reason its text shows.
        if (command.kind == CommandKind::Clock && gameStarted) {
            *error = "line " + std::to_string(line) +
                     ": clock sets the time the game starts at, so it must come before the "
                     "first command other than clock, step and dialog";
            return false;
        }
        if ((command.kind == CommandKind::Replay && gameStarted) ||
            (command.kind == CommandKind::State && (gameStarted || !replayMap))) {
            *error = "line " + std::to_string(line) +
                     ": a replay begins with its replay line and then its state, before any "
                     "command that starts the game";
            return false;
        }
        if (command.kind == CommandKind::Replay)
            replayMap = true;
        if (command.kind == CommandKind::Step)
            step = command.number;
        if (command.kind == CommandKind::Wait && step == 0 && command.number > 0) {
            *error = "line " + std::to_string(line) +
                     ": wait with step 0 would never end; set a step above 0 first";
            return false;
        }
        if (!NeedsNoGame(command.kind))
            gameStarted = true;
        commands->push_back(command);
    }
    return true;
}
