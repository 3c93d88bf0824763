// SPDX-License-Identifier: MIT
#include "app/command_line.h"

#include <algorithm>

#include "app/replay_watch.h"
#include "state/options.h"
#include "version.h"

namespace {

// Every option of the programs, one line each. An option that sets
// something names a function of the value; the others end the program.
const CommandLineOption Options[] = {
    {"--no-guess", nullptr, "lay out every game so that it can be won by reasoning alone",
     CommandLineAction::Play, [](const std::string&) { NoGuessOn = 1; }},
    {"--replay", "FILE",
     "watch the replay FILE (Space pauses, Right and Left arrows change the speed, Escape "
     "quits)",
     CommandLineAction::Play, [](const std::string& file) { ReplayToWatch = file; }},
    {"--help", nullptr, "show this help and end", CommandLineAction::ShowHelp, nullptr},
    {"--version", nullptr, "show the version and end", CommandLineAction::ShowVersion, nullptr},
};

const CommandLineOption* FindOption(const std::string& word) {
    for (const CommandLineOption& option : Options) {
        if (word == option.name)
            return &option;
    }
    return nullptr;
}

bool StartsWithDashes(const std::string& word) {
    return word.size() >= 2 && word[0] == '-' && word[1] == '-';
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words) {
    CommandLine result;
    size_t next = 0;
    while (next < words.size() && StartsWithDashes(words[next])) {
        const std::string& word = words[next++];
        if (word == "--")
            break;
        const CommandLineOption* option = FindOption(word);
        if (option == nullptr) {
            result.action = CommandLineAction::Mistake;
            result.mistake =
                "unknown option " + word + " (put -- before a map whose name begins with --)";
            return result;
        }
        std::string value;
        if (option->valueName != nullptr) {
            if (next == words.size()) {
                result.action = CommandLineAction::Mistake;
                result.mistake = word + " needs a " + option->valueName;
                return result;
            }
            value = words[next++];
        }
        if (option->action != CommandLineAction::Play) {
            result.action = option->action;
            return result;
        }
        result.chosen.emplace_back(option, value);
    }
    for (size_t i = next; i < words.size(); ++i) {
        if (i > next)
            result.mapText += ' ';
        result.mapText += words[i];
    }
    return result;
}

void ApplyCommandLine(const CommandLine& commandLine) {
    for (const auto& [option, value] : commandLine.chosen) {
        if (option->apply != nullptr)
            option->apply(value);
    }
}

std::string DescribeOptions() {
    const auto nameOf = [](const CommandLineOption& option) {
        std::string name = option.name;
        if (option.valueName != nullptr)
            name += std::string(" ") + option.valueName;
        return name;
    };
    size_t width = 0;
    for (const CommandLineOption& option : Options)
        width = std::max(width, nameOf(option).size());
    std::string text;
    for (const CommandLineOption& option : Options) {
        const std::string name = nameOf(option);
        text += "  " + name + std::string(width - name.size() + 3, ' ') + option.help + "\n";
    }
    return text;
}

const char* VersionText() {
    return TorvexVersion;
}
