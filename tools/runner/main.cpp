// SPDX-License-Identifier: MIT
// torvex-headless: the real game on the headless platform, driven by a
// script, for tests, demos and bots.
//
//   torvex-headless [--log FILE] [--record FOLDER] [--stats | --stats-json] SCRIPT
//                   [OPTION ...] [--] [WORD ...]
//
// --record keeps a replay of every finished game in FOLDER, as the game
// keeps them in the player's folder. A SCRIPT may be a replay, which plays
// on the map it names unless WORDs name another with the same bytes;
// --stats prints the figures of the game it played (--stats-json as JSON)
// instead of the log, unless --log asks for that too.
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

#include <unistd.h>

#include "app/command_line.h"
#include "app/replay_seam.h"
#include "app/replay_watch.h"
#include "state/game_state.h"
#include "tools/runner/game_figures.h"
#include "tools/runner/scripted_game.h"

namespace {

constexpr int ScriptFailed = 2;

constexpr const char* Usage =
    "usage: torvex-headless [--log FILE] [--record FOLDER] [--stats | --stats-json] SCRIPT\n"
    "                       [OPTION ...] [--] [WORD ...]\n"
    "  runs the game on a virtual machine under SCRIPT (\"-\" for standard input);\n"
    "  the game's OPTIONs and WORDs follow, as torvex takes them; the WORDs,\n"
    "  joined with blanks, are the game's arguments\n"
    "  --record FOLDER     keep a replay of every finished game in FOLDER\n"
    "  --stats             print the figures of the game a replay plays\n"
    "  --stats-json        the same figures as JSON\n";

enum class FiguresWanted { None, Text, Json };

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

std::string AbsolutePath(const std::string& path) {
    if (!path.empty() && path[0] == '/')
        return path;
    char folder[4096];
    if (getcwd(folder, sizeof(folder)) == nullptr)
        return path;
    return std::string(folder) + "/" + path;
}

}  // namespace

int main(int argc, char** argv) {
    int next = 1;
    std::string logPath;
    std::string recordFolder;
    FiguresWanted figures = FiguresWanted::None;
    for (;;) {
        const std::string word = next < argc ? argv[next] : "";
        if (word == "--log" || word == "--record") {
            if (next + 1 >= argc) {
                PrintUsage();
                return ScriptFailed;
            }
            (word == "--log" ? logPath : recordFolder) = argv[next + 1];
            next += 2;
        } else if (word == "--stats" || word == "--stats-json") {
            figures = word == "--stats" ? FiguresWanted::Text : FiguresWanted::Json;
            ++next;
        } else {
            break;
        }
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
    if (!ReplayToWatch.empty()) {
        std::cerr << "torvex-headless: a replay is played as the SCRIPT, not with --replay\n";
        PrintUsage();
        return ScriptFailed;
    }
    const std::string& commandLine = gameCommandLine.mapText;
    if (!recordFolder.empty())
        ReplayFolder = AbsolutePath(recordFolder);

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
    std::string result = "unfinished";
    for (const ScriptCommand& command : commands) {
        if (!game.Run(command, &error)) {
            ran = false;
            break;
        }
        if (GameState == Won || GameState == Lost)
            result = GameState == Won ? "won" : "lost";
    }
    // The figures of the game as the script left it, before the close.
    const GameFigures played = TakeGameFigures(result);
    if (ran)
        ran = game.Finish(&error);
    // What happened up to a failure is still worth having.
    const bool logged = figures != FiguresWanted::None && logPath.empty()
                            ? true
                            : WriteLog(logPath, game.LogLines());
    if (ran && figures != FiguresWanted::None) {
        std::cout << (figures == FiguresWanted::Text ? FiguresText(played) : FiguresJson(played));
        std::cout.flush();
    }
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
