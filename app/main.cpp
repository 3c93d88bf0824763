// SPDX-License-Identifier: MIT
// The torvex program: the game on the SDL2 platform.
//
//   torvex [MAP.tvm]
//
// Without a map on the command line the game asks for one in a file dialog.
// The exit code is 0 when no map was chosen or the display could not be set
// up, 1 after a normal close.
#include <string>

#include "app/main_loop.h"

int main(int argc, char** argv) {
    // The game reads its map path out of one argument text, as the player
    // typed it: the arguments joined with single blanks, so a path with
    // blanks in it survives being split by the shell.
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return WinMain(commandLine.c_str());
}
