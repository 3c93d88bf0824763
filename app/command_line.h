// SPDX-License-Identifier: MIT
// The command line of the game's programs (torvex, torvex-headless): options
// first, then the map.
//
//   torvex [OPTION ...] [--] [MAP.tvm]
//
// Options are the leading words that begin with "--" and name an option of
// the table in command_line.cpp; a word "--" ends them. The words after the
// options, joined with single blanks, are the map text the game looks for a
// map path in, exactly as if they had been the whole command line. A word
// that begins with "--" but names no option is a mistake: a map whose name
// begins with "--" goes after "--".
#pragma once

#include <string>
#include <utility>
#include <vector>

// What a command line asks the program to do.
enum class CommandLineAction {
    Play,         // start the game on the map text
    ShowHelp,     // print the usage and end
    ShowVersion,  // print the version and end
    Mistake,      // tell what is wrong and end with status 2
};

// One option of the table.
struct CommandLineOption {
    const char* name;       // the whole word, e.g. "--no-guess"
    const char* valueName;  // what the next word is, e.g. "FILE"; nullptr if it takes none
    const char* help;       // what it does, for the usage text
    CommandLineAction action;
    // What an option of the Play action sets; it gets the value (empty if none).
    void (*apply)(const std::string& value);
};

struct CommandLine {
    CommandLineAction action = CommandLineAction::Play;
    std::string mapText;  // the words after the options, joined with single blanks
    std::string mistake;  // for Mistake: what is wrong, one sentence
    // The options given, in order, with their values.
    std::vector<std::pair<const CommandLineOption*, std::string>> chosen;
};

// Reads the words of a command line (without the program's name).
CommandLine ParseCommandLine(const std::vector<std::string>& words);

// Sets what the chosen options turn on.
void ApplyCommandLine(const CommandLine& commandLine);

// One line per option for a usage text, names aligned.
std::string DescribeOptions();

// The game's version, e.g. "1.10".
const char* VersionText();

// Exit status of a program whose command line was a mistake.
constexpr int CommandLineMistakeStatus = 2;
