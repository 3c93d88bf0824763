// SPDX-License-Identifier: MIT
// The torvex program: the game on the SDL2 platform.
//
//   torvex [OPTION ...] [--] [MAP.tvm]
//
// Without a map on the command line the game asks for one in a file dialog.
// The exit code is 0 when no map was chosen or the display could not be set
// up, 1 after a normal close; --help and --version end with 0 at once, and a
// command line with a mistake with 2.
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/main_loop.h"

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
    // The game reads its map path out of one argument text, as the player
    // typed it: the words joined with single blanks, so a path with blanks
    // in it survives being split by the shell.
    return WinMain(commandLine.mapText.c_str());
}
