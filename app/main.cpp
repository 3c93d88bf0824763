// SPDX-License-Identifier: MIT
// The torvex program: the game on the SDL2 platform.
//
//   torvex [OPTION ...] [--] [MAP.tvm]
//
// Without a map on the command line the game asks for one in a file dialog.
// The exit code is 0 when no map was chosen or the display could not be set
// up, 1 after a normal close; --help and --version end with 0 at once, and a
// command line with a mistake with 2.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_loop.h"
#include "app/replay_seam.h"
#include "app/replay_watch.h"
#include "files/data_folder.h"
#include "tools/runner/state_dump.h"

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(words);
    switch (commandLine.action) {
        case CommandLineAction::ShowHelp:
            std::cout << "usage: torvex [OPTION ...] [--] [MAP.tvm]\n"
                         "Clear the mines from a field of any shape. The words after the options\n"
                         "name the map; without one, a dialog asks for it.\n\n"
                      << DescribeOptions();
            return 0;
        case CommandLineAction::ShowVersion:
            std::cout << "torvex " << VersionText() << "\n";
            return 0;
        case CommandLineAction::Mistake:
            std::cerr << "torvex: " << commandLine.mistake << "\n"
                      << "usage: torvex [OPTION ...] [--] [MAP.tvm]; torvex --help tells more\n";
            return CommandLineMistakeStatus;
        case CommandLineAction::Play:
            break;
    }
    ApplyCommandLine(commandLine);
    int result = 0;
    if (!ReplayToWatch.empty()) {
        result = WatchReplay(ReplayToWatch, commandLine.mapText);
    } else {
        // Every finished game is kept as a replay in the player's folder.
        ReplayFolder = DataFolder("replays");
        // The game reads its map path out of one argument text, as the player
        // typed it: the words joined with single blanks, so a path with blanks
        // in it survives being split by the shell.
        result = WinMain(commandLine.mapText.c_str());
    }
    // Tests compare the state the game ended in with the state its replay
    // reaches; they name the file to write it to.
    const char* dumpPath = std::getenv("TORVEX_EXIT_DUMP");
    if (dumpPath != nullptr && dumpPath[0] != '\0' && !WriteGameStateJson(dumpPath))
        std::cerr << "torvex: cannot write the state to " << dumpPath << "\n";
    return result;
}
