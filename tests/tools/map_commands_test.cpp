// SPDX-License-Identifier: MIT
// The commands of torvex-map as a map maker uses them: what they print, what
// they write, and every refusal with its exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/game_fixture.h"
#include "tests/tools/tool_test_support.h"
#include "tools/map/commands.h"
#include "version.h"

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class MapCommands : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        folder_ = TestFolder();
    }

    Outcome Run(const std::vector<std::string>& arguments) {
        std::ostringstream out;
        std::ostringstream err;
        Outcome outcome;
        outcome.status = RunMapTool(arguments, out, err);
        outcome.out = out.str();
        outcome.err = err.str();
        return outcome;
    }

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
};

const char* const CornersMap = "Corners,4,3,2,\n0,1,2,1/4/\n1,2,1/\n";

TEST_F(MapCommands, InfoPrintsTheMapAsTheGameReadsIt) {
    const std::string path = WriteTestFile("corners.tvm", CornersMap);
    const Outcome info = Run({"info", path});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.err, "");
    EXPECT_EQ(info.out, "name: Corners\nwidth: 4\nheight: 3\nmines: 2\nplayable: 8\nsettings: " +
                            Path("corners.tvh") + "\n.##.\n####\n.##.\n");
}

TEST_F(MapCommands, InfoAndCheckRefuseWhatTheGameRefuses) {
    const std::vector<std::string> refused = {
        "Flat,0,3,1,3,",      // no width
        "Wide,301,1,0,301,",  // wider than the Board
        "Full,2,2,4,4,",      // mines not fewer than playable cells
        "Empty,2,2,0,0,4,",   // no playable cell
        "Cut,4,3",            // header cut short
    };
    for (const std::string& contents : refused) {
        const std::string path = WriteTestFile("refused.tvm", contents);
        for (const char* command : {"info", "check"}) {
            const Outcome outcome = Run({command, path});
            EXPECT_EQ(outcome.status, 1) << contents;
            EXPECT_EQ(outcome.out, "") << contents;
            EXPECT_EQ(outcome.err.rfind("torvex-map: " + path + ": ", 0), 0u) << outcome.err;
            EXPECT_GT(outcome.err.size(), ("torvex-map: " + path + ": \n").size());
        }
    }
    const Outcome missing = Run({"info", Path("missing.tvm")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err.rfind("torvex-map: " + Path("missing.tvm") + ": ", 0), 0u);
}

TEST_F(MapCommands, CheckAddsRegionsDensityAndWarnings) {
    const std::string islands = WriteTestFile("islands.tvm",
                                              "Islands,7,3,2,\n"
                                              "2,1,2,1,1/\n"
                                              "0,2,1,2,2/\n"
                                              "0,7/\n");
    const Outcome check = Run({"check", islands});
    EXPECT_EQ(check.status, 0);
    // The time a layout takes is what the clock says: only its form is fixed.
    const std::regex timed("(no-guess: \\d+ of 20 tries solved, median )\\d+\\.\\d( ms\n)");
    EXPECT_EQ(std::regex_replace(check.out, timed, "$1T$2"),
              "name: Islands\nwidth: 7\nheight: 3\nmines: 2\nplayable: 9\nsettings: " +
                  Path("islands.tvh") +
                  "\n##.##.#\n##.##..\n.......\nregions: 3\ndensity: 22.2 %\n"
                  // Each island opens with the first click, and two mines in
                  // the six cells left always make a guess in one of them.
                  "no-guess: 0 of 20 tries solved, median T ms\n"
                  "warning: the region at column 6, row 0 has only 1 cell: too small "
                  "to hold a safe cell in 22.2 % of games, and a guess in the others\n");
    const Outcome plain = Run({"check", WriteTestFile("plain.tvm", "Plain,9,9,10,81,")});
    EXPECT_NE(std::regex_replace(plain.out, timed, "$1T$2")
                  .find("density: 12.3 %\nno-guess: 20 of 20 tries solved, median T ms\n"),
              std::string::npos)
        << plain.out;

    const Outcome past = Run({"check", WriteTestFile("past.tvm", "Long,3,1,0,5,\n")});
    EXPECT_NE(past.out.find("regions: 1\ndensity: 0.0 %\n"), std::string::npos);
    EXPECT_NE(past.out.find("warning: the runs go on past the last cell"), std::string::npos);
    EXPECT_NE(past.out.find("warning: mines are so sparse"), std::string::npos);

    const Outcome early = Run({"check", WriteTestFile("early.tvm", "Short,10,1,1,4,")});
    EXPECT_EQ(early.status, 0);
    EXPECT_NE(early.out.find("####......\n"), std::string::npos);
    EXPECT_NE(early.out.find("warning: the file ends before the last cell"), std::string::npos);
}

TEST_F(MapCommands, MakeThenInfoKeepsTheFieldExactlyForTextArtAndImages) {
    const std::string house = "..####..\n.######.\n########\n###..###\n###..###\n########\n";
    std::string pgm = "P5 4 3 255\n";
    for (const char c : std::string("#..#.##.#..#"))
        pgm += c == '#' ? '\x10' : '\xf0';
    const struct {
        std::string picture;
        std::string contents;
        std::string info;  // from the playable count on
    } pictures[] = {
        {"house.txt", house, "playable: 38\nsettings: " + Path("made.tvh") + "\n" + house},
        // Told by the first bytes, not the name.
        {"x.txt", "P1\n4 3\n1 0 0 1\n0 1 1 0\n1 0 0 1\n",
         "playable: 6\nsettings: " + Path("made.tvh") + "\n#..#\n.##.\n#..#\n"},
        {"x.pgm", pgm, "playable: 6\nsettings: " + Path("made.tvh") + "\n#..#\n.##.\n#..#\n"},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.picture);
        const Outcome made =
            Run({"make", WriteTestFile(picture.picture, picture.contents), "--name", "Little House",
                 "--mines", "5", "--output", Path("made.tvm")});
        EXPECT_EQ(made.status, 0) << made.err;
        const std::string info = Run({"info", Path("made.tvm")}).out;
        EXPECT_EQ(info.rfind("name: Little House\n", 0), 0u) << info;
        EXPECT_NE(info.find("\nmines: 5\n" + picture.info), std::string::npos) << info;
    }
}

TEST_F(MapCommands, MakeWritesTheTidyFormToStandardOutputByDefault) {
    const Outcome made =
        Run({"make", "--name=Corners", "--mines=2", WriteTestFile("c.txt", ".##.\n####\n.##.\n")});
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(made.out, "Corners,4,3,2,\n0,1,2,1/\n4/\n1,2,1/\n");
    EXPECT_EQ(made.err, "");  // 25 % is dense, but not past what still plays
}

TEST_F(MapCommands, MakeTakesTheNameFromThePictureAndFifteenPercentByDefault) {
    const std::string picture =
        WriteTestFile("meadow.txt", std::string(20, '#') + "\n" + std::string(20, '#') + "\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "meadow,20,2,6,"},  // 15 % of 40
        {{"--density", "12.5%"}, "meadow,20,2,5,"},
        {{"--density", "0"}, "meadow,20,2,0,"},
        {{"--mines", "39"}, "meadow,20,2,39,"},  // one cell left to move a mine to
        {{"--name", std::string(31, 'x')}, std::string(31, 'x') + ",20,2,6,"},
        {{"--name", "Big Map / 2 (hard!)"}, "Big Map / 2 (hard!),20,2,6,"},
    };
    for (const auto& [options, header] : cases) {
        std::vector<std::string> arguments = {"make", picture};
        arguments.insert(arguments.end(), options.begin(), options.end());
        const Outcome made = Run(arguments);
        EXPECT_EQ(made.status, 0) << made.err;
        EXPECT_EQ(made.out.substr(0, made.out.find('\n')), header);
    }
}

TEST_F(MapCommands, MakeReplacesAnOldMapWholeButNeverItsOwnPicture) {
    const std::string output = WriteTestFile("field.tvm", std::string(5000, 'x'));
    const Outcome made =
        Run({"make", WriteTestFile("f.txt", "###\n"), "--mines", "0", "--output", output});
    EXPECT_EQ(made.status, 0);
    EXPECT_EQ(made.out, "wrote " + output + ": 3 x 1, 3 playable cells, 0 mines (0.0 %)\n");
    EXPECT_EQ(ReadWholeFile(output), "f,3,1,0,\n3/\n");
    EXPECT_FALSE(std::filesystem::exists(output + ".part"));

    const std::string picture = WriteTestFile("sneaky.tvm", "###\n###\n");
    const Outcome refused = Run({"make", picture, "--mines", "1", "--output", picture});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("this is the picture itself"), std::string::npos);
    EXPECT_EQ(ReadWholeFile(picture), "###\n###\n");
}

TEST_F(MapCommands, MakeRefusesWhatCannotBeAGoodMapAndWritesNothing) {
    const std::string art = WriteTestFile("art.txt", "####\n####\n");
    const std::string output = Path("out.tvm");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"make", WriteTestFile("wide.txt", std::string(301, '#'))}, "301 x 1"},
        {{"make", WriteTestFile("void.txt", "....\n")}, "no playable cell"},
        {{"make", art, "--mines", "8"}, "8 mines on 8 playable cells"},
        {{"make", art, "--density", "100"}, "8 mines on 8 playable cells"},
        {{"make", art, "--density", "101"}, "--density needs a percentage"},
        {{"make", art, "--density", "-5"}, "--density needs a percentage"},
        {{"make", art, "--mines", "ten"}, "--mines needs a whole number"},
        {{"make", art, "--mines", "1", "--density", "10"}, "not both"},
        {{"make", art, "--name", std::string(32, 'N')}, "has 32 characters"},
        {{"make", art, "--name", "A, B"}, "comma"},
        {{"make", art, "--name", ""}, "needs a name"},
        {{"make", art, "--name", "Tab\there"}, "cannot show"},
        {{"make", art, "--name", "Caf\xc3\xa9"}, "cannot show"},
        {{"make", art, "--output", Path("out.map")}, "ends in .tvm"},
        {{"make", art, "--colour", "red"}, "no option --colour"},
        {{"make", art, "--mines"}, "--mines needs a value"},
        {{"make", art, art}, "one picture"},
        {{"make", "--mines", "1"}, "needs a picture"},
        {{"make", Path("missing.txt")}, "cannot open the picture"},
        {{"make", WriteTestFile("bad.txt", "#?#\n")}, "line 1, column 2: '?'"},
    };
    for (const auto& [given, reason] : cases) {
        std::vector<std::string> arguments = given;
        if (std::find(arguments.begin(), arguments.end(), "--output") == arguments.end() &&
            arguments.back() != "--mines") {
            arguments.push_back("--output");
            arguments.push_back(output);
        }
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 1) << reason;
        EXPECT_EQ(outcome.out, "") << reason;
        EXPECT_NE(outcome.err.find(reason), std::string::npos)
            << "expected \"" << reason << "\" in: " << outcome.err;
        EXPECT_FALSE(std::filesystem::exists(output)) << reason;
    }
}

TEST_F(MapCommands, UsageAndHelp) {
    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{}, "usage: torvex-map info FILE.tvm"},
        {{"frobnicate"}, "no command \"frobnicate\""},
        {{"info"}, "info takes one map file"},
        {{"check", "a.tvm", "b.tvm"}, "check takes one map file"},
        {{"make"}, "--density PERCENT"},
    };
    for (const auto& [arguments, words] : refused) {
        const Outcome outcome = Run(arguments);
        EXPECT_EQ(outcome.status, 1) << words;
        EXPECT_NE(outcome.err.find(words), std::string::npos) << outcome.err;
    }
    const Outcome help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("dark pixels playable"), std::string::npos);
    EXPECT_NE(help.out.find("torvex-map --help | --version"), std::string::npos);
    EXPECT_EQ(help.err, "");

    // The project's one version, the one the game's title shows.
    const Outcome version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, std::string("torvex-map ") + TORVEX_VERSION + "\n");
    EXPECT_EQ(version.err, "");
}

// The program itself: its arguments reach the commands and its exit status
// is theirs.
TEST_F(MapCommands, TheProgramRunsTheCommands) {
    const std::string map = WriteTestFile("corners.tvm", CornersMap);
    const std::string command = std::string(TORVEX_MAP_TOOL) + " info '" + map + "' > '" +
                                Path("info.txt") + "' 2> '" + Path("errors.txt") + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(ReadWholeFile(Path("info.txt")).substr(0, 14), "name: Corners\n");
    EXPECT_EQ(ReadWholeFile(Path("errors.txt")), "");

    const std::string refused = std::string(TORVEX_MAP_TOOL) + " info '" + Path("none.tvm") +
                                "' > /dev/null 2> '" + Path("errors.txt") + "'";
    const int status = std::system(refused.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_EQ(ReadWholeFile(Path("errors.txt")).rfind("torvex-map: " + Path("none.tvm") + ": ", 0),
              0u);
}

}  // namespace
