// SPDX-License-Identifier: MIT
// The command line of torvex and torvex-headless: options before the map,
// "--" ending them, the map text joined as before, and every mistake told
// on standard error with status 2.
#include "app/command_line.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "state/options.h"
#include "tests/support/played_game.h"

namespace {

using Words = std::vector<std::string>;

std::string ChosenNames(const CommandLine& commandLine) {
    std::string names;
    for (const auto& [option, value] : commandLine.chosen)
        names += std::string(names.empty() ? "" : " ") + option->name;
    return names;
}

TEST(CommandLineTest, OptionsComeBeforeTheMapAndTheRestIsTheMapTextJoinedWithBlanks) {
    const struct {
        Words words;
        CommandLineAction action;
        std::string mapText;
        std::string chosen;
    } cases[] = {
        {{"--no-guess", "maps/a", "b.tvm"}, CommandLineAction::Play, "maps/a b.tvm", "--no-guess"},
        {{"--", "--odd", "name.tvm"}, CommandLineAction::Play, "--odd name.tvm", ""},
        {{"--no-guess", "--", "--no-guess"}, CommandLineAction::Play, "--no-guess", "--no-guess"},
        {{"maps/x.tvm", "--no-guess"}, CommandLineAction::Play, "maps/x.tvm --no-guess", ""},
        {{"-", "x.tvm"}, CommandLineAction::Play, "- x.tvm", ""},  // one dash is no option
        {{"--no-guess", "--no-guess"}, CommandLineAction::Play, "", "--no-guess --no-guess"},
        {{}, CommandLineAction::Play, "", ""},
        {{"--no-guess", "--help", "--bogus"}, CommandLineAction::ShowHelp, "", ""},
        {{"--version", "x.tvm"}, CommandLineAction::ShowVersion, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.words));
        const CommandLine commandLine = ParseCommandLine(c.words);
        EXPECT_EQ(commandLine.action, c.action);
        if (c.action == CommandLineAction::Play) {
            EXPECT_EQ(commandLine.mapText, c.mapText);
            EXPECT_EQ(ChosenNames(commandLine), c.chosen);
        }
    }
}

TEST(CommandLineTest, AnUnknownOptionIsAMistakeThatNamesIt) {
    const std::pair<Words, std::string> cases[] = {
        {{"--bogus", "x.tvm"}, "--bogus"},
        {{"--no-guess", "--no-gues", "x.tvm"}, "--no-gues"},
        {{"--no-guess=1"}, "--no-guess=1"},
        {{"--odd name.tvm"}, "--odd name.tvm"}};
    for (const auto& [words, word] : cases) {
        const CommandLine commandLine = ParseCommandLine(words);
        EXPECT_EQ(commandLine.action, CommandLineAction::Mistake);
        EXPECT_EQ(commandLine.mistake.rfind("unknown option " + word + " ", 0), 0u)
            << commandLine.mistake;
    }
}

TEST(CommandLineTest, ApplyingTurnsOnWhatWasChosenAndTheHelpListsEveryOption) {
    ResetOptions();
    ApplyCommandLine(ParseCommandLine({"x.tvm"}));
    EXPECT_EQ(NoGuessOn, 0);
    ApplyCommandLine(ParseCommandLine({"--no-guess", "x.tvm"}));
    EXPECT_EQ(NoGuessOn, 1);
    ResetOptions();

    const std::string help = DescribeOptions();
    for (const char* name : {"  --no-guess   ", "  --help   ", "  --version   "})
        EXPECT_NE(help.find(name), std::string::npos) << name << " in\n" << help;
}

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (already quoted for the shell) in `folder`.
Outcome RunProgram(const std::string& program, const std::string& arguments,
                   const std::string& folder) {
    const std::string out = folder + "/out.txt";
    const std::string err = folder + "/err.txt";
    const std::string command = "cd '" + folder + "' && '" + program + "' " + arguments + " >'" +
                                out + "' 2>'" + err + "' </dev/null";
    const int status = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = ReadWholeFile(out);
    outcome.err = ReadWholeFile(err);
    return outcome;
}

class CommandLineProgramTest : public GameTest {};

// The runner reads what follows the script as torvex reads its command
// line: a map named with "--" in front of it is opened, an unknown option
// is refused before anything runs.
TEST_F(CommandLineProgramTest, TheRunnerTakesTheGameOptionsAfterItsScript) {
    const std::string folder = TestFolder();
    WriteTestFile("--odd name.tvm", "Odd,6,5,3,30,");
    std::ofstream(folder + "/game.txt") << "clock 0\npass\ndump state.json\n";

    const Outcome odd = RunProgram(TORVEX_HEADLESS_PROGRAM, "game.txt -- --odd name.tvm", folder);
    EXPECT_EQ(odd.status, 0) << odd.err;
    EXPECT_NE(ReadWholeFile(folder + "/state.json").find("\"MapName\": \"Odd\""),
              std::string::npos);

    const Outcome bogus = RunProgram(TORVEX_HEADLESS_PROGRAM, "game.txt --bogus x.tvm", folder);
    EXPECT_EQ(bogus.status, 2);
    EXPECT_EQ(bogus.out, "");
    EXPECT_EQ(bogus.err.rfind("torvex-headless: unknown option --bogus", 0), 0u) << bogus.err;

    const Outcome help = RunProgram(TORVEX_HEADLESS_PROGRAM, "game.txt --help", folder);
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--no-guess"), std::string::npos) << help.out;
}

#ifdef TORVEX_PROGRAM
// torvex itself: --help and --version answer at once, without a window or
// a dialog; a mistake ends with status 2 and says what it was.
TEST_F(CommandLineProgramTest, TorvexAnswersHelpAndVersionAndRefusesMistakes) {
    const std::string folder = TestFolder();
    const Outcome help = RunProgram(TORVEX_PROGRAM, "--help", folder);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: torvex [OPTION ...] [--] [MAP.tvm]\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find(DescribeOptions()), std::string::npos);
    EXPECT_EQ(help.err, "");

    const Outcome version = RunProgram(TORVEX_PROGRAM, "--version", folder);
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("torvex ") + VersionText() + "\n");

    const Outcome bogus = RunProgram(TORVEX_PROGRAM, "--bogus 'my map.tvm'", folder);
    EXPECT_EQ(bogus.status, 2);
    EXPECT_EQ(bogus.out, "");
    EXPECT_EQ(bogus.err.rfind("torvex: unknown option --bogus", 0), 0u) << bogus.err;
}
#endif

}  // namespace
