// SPDX-License-Identifier: MIT
// torvex-headless: the real game on the headless platform, driven by a
// script, for tests, demos and bots.
//
//   torvex-headless [--log FILE] SCRIPT [OPTION ...] [--] [WORD ...]
//
// What follows SCRIPT is the game's own command line, read as torvex reads
// it: the game's options (such as --no-guess), then the WORDs, which joined
// with single blanks are the game's argument text. The
// visible effects (notices, dialogs, sounds) and finally "exit N" with the
// game's result go to FILE, or else to standard output. SCRIPT "-" reads the
// script from standard input.
//
// Exit status: 0 when the script ran to its end (the game's own result is
// the "exit N" line) or the game's --help or --version was asked for, 2 when
// the arguments or the script are wrong or a file could not be written.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/command_line.h"
#include "tools/runner/scripted_game.h"

namespace {

constexpr int ScriptFailed = 2;

constexpr const char* Usage =
    "usage: torvex-headless [--log FILE] SCRIPT [OPTION ...] [--] [WORD ...]\n"
    "  runs the game on a virtual machine under SCRIPT (\"-\" for standard input);\n"
    "  the game's OPTIONs and WORDs follow, as torvex takes them; the WORDs,\n"
    "  joined with blanks, are the game's arguments\n";

void PrintUsage() {
    std::cerr << Usage;
}

bool ReadWhole(const std::string& path, std::string* text) {
    if (path == "-") {
        std::ostringstream content;
        content << std::cin.rdbuf();
        *text = content.str();
        return true;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream content;
    content << file.rdbuf();
    *text = content.str();
    return true;
}

bool WriteLog(const std::string& logPath, const std::vector<std::string>& lines) {
    if (logPath.empty()) {
        for (const std::string& line : lines)
            std::cout << line << '\n';
        std::cout.flush();
        return static_cast<bool>(std::cout);
    }
    std::ofstream file(logPath, std::ios::binary);
    for (const std::string& line : lines)
        file << line << '\n';
    file.close();
    return !file.fail();
}

}  // namespace

int main(int argc, char** argv) {
    int next = 1;
    std::string logPath;
    if (next < argc && std::string(argv[next]) == "--log") {
        if (next + 1 >= argc) {
            PrintUsage();
            return ScriptFailed;
        }
        logPath = argv[next + 1];
        next += 2;
    }
    if (next >= argc || std::string(argv[next]) == "--help") {
        PrintUsage();
        return ScriptFailed;
    }
    const std::string scriptPath = argv[next++];
    const CommandLine gameCommandLine =
        ParseCommandLine(std::vector<std::string>(argv + next, argv + argc));
    switch (gameCommandLine.action) {
        case CommandLineAction::ShowHelp:
            std::cout << Usage << "\ngame options:\n" << DescribeOptions();
            return 0;
        case CommandLineAction::ShowVersion:
            std::cout << "torvex-headless " << VersionText() << "\n";
            return 0;
        case CommandLineAction::Mistake:
            std::cerr << "torvex-headless: " << gameCommandLine.mistake << "\n";
            PrintUsage();
            return ScriptFailed;
        case CommandLineAction::Play:
            break;
    }
    ApplyCommandLine(gameCommandLine);
    const std::string& commandLine = gameCommandLine.mapText;

    std::string text;
    if (!ReadWhole(scriptPath, &text)) {
        std::cerr << "torvex-headless: cannot read the script " << scriptPath << '\n';
        return ScriptFailed;
    }
    std::vector<ScriptCommand> commands;
    std::string error;
    if (!ParseScript(text, &commands, &error)) {
        std::cerr << "torvex-headless: " << scriptPath << ": " << error << '\n';
        return ScriptFailed;
    }

    ScriptedGame game(commandLine);
    bool ran = true;
    for (const ScriptCommand& command : commands) {
        if (!game.Run(command, &error)) {
            ran = false;
            break;
        }
    }
    if (ran)
        ran = game.Finish(&error);
    // What happened up to a failure is still worth having.
    const bool logged = WriteLog(logPath, game.LogLines());
    if (!ran) {
        std::cerr << "torvex-headless: " << scriptPath << ": " << error << '\n';
        return ScriptFailed;
    }
    if (!logged) {
        std::cerr << "torvex-headless: cannot write the log " << logPath << '\n';
        return ScriptFailed;
    }
    return 0;
}
