// SPDX-License-Identifier: MIT
// Running a helper program (the desktop's file chooser, or its notice box)
// as a child process and reading what it prints. The program is started
// directly with an argument array, never through a shell, so no file name
// can be taken for a command.
#pragma once

#include <string>
#include <vector>

// The full path of `program` found along PATH, or "" when it is not there.
std::string FindProgram(const std::string& program);

struct ChildResult {
    bool started = false;  // false: the program could not be run at all
    int exitStatus = -1;   // its exit status; -1 when it did not exit normally
    std::string output;    // its standard output, at most OutputLimit bytes
};

// Runs `path` with `arguments` (arguments[0] is the program's own name),
// waits for it to end and collects its standard output. Its standard input
// is empty; its error output stays the program's. The child ends when the
// game does: it is sent SIGTERM when the game's process dies, so no dialog
// or notice outlives the game. (So is every child forked by a game that
// links this file, SDL's own message-box children included.)
ChildResult RunChild(const std::string& path, const std::vector<std::string>& arguments);

// More output than any path could need is cut here.
constexpr size_t ChildOutputLimit = 64 * 1024;
