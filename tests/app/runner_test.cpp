// SPDX-License-Identifier: MIT
// The headless runner: its script language, its state dump, and the
// torvex-headless program as a bot or a test would run it.
#include <sys/wait.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/shell_state.h"
#include "board/board.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"
#include "tools/runner/script.h"
#include "tools/runner/state_dump.h"

namespace {

// Every mistake a script's text shows is caught before anything runs, and
// named by its line; comments and blank lines count as lines, a carriage
// return does not. (The whole-game tests use every command.)
TEST(ScriptTest, AMalformedLineIsAnErrorNamingItsNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"pass\n\njump 3\n", "line 3: unknown command \"jump\""},
        {"# a game\n\nclock 4000000000 # late\r\nkey f3\r\nshot a b.bmp\nbogus",
         "line 6: unknown command \"bogus\""},
        {"key F13", "line 1: unknown key \"F13\""},
        {"keydown Tab\nkeyup", "line 2: keyup takes one key name"},
        {"keydown Shift", "line 1: unknown key \"Shift\""},
        {"pass\nclick middle", "line 2: click takes left or right, not \"middle\""},
        {"move 3", "line 1: move takes two numbers, DX and DY"},
        {"move 3 x", "line 1: move needs two whole numbers from -1000000 to 1000000"},
        {"pass 0", "line 1: pass needs a whole number from 1 to 100000000, not \"0\""},
        {"pass 2 3", "line 1: pass takes one number"},
        {"clock 5\nstep 0\ndialog x.tvm\npass\nclock 7", "line 5: clock sets the time"},
        {"step 0\npass\nwait 100", "line 3: wait with step 0 would never end"}};
    const char* outOfRange[] = {"step -1",  "clock 4294967296",   "activate 2",
                                "wait 1.5", "dialog   # nothing", "shot",
                                "close now"};
    std::vector<ScriptCommand> commands;
    std::string error;
    for (const auto& [script, message] : cases) {
        EXPECT_FALSE(ParseScript(script, &commands, &error)) << script;
        EXPECT_EQ(error.substr(0, std::string(message).size()), message);
    }
    for (const char* script : outOfRange) {
        EXPECT_FALSE(ParseScript(script, &commands, &error)) << script;
        EXPECT_EQ(error.substr(0, 8), "line 1: ") << script;
    }
    EXPECT_TRUE(ParseScript("step 0\nwait 0\nstep 5\nwait 100\n", &commands, &error)) << error;
}

TEST(ScriptTest, KeyNames) {
    std::vector<uint32_t> codes;
    for (const char* name : {"Escape", "F1", "F9", "f12", "Enter", "Space", "q", "Z", "0", "9",
                             "Tab", "F0", "F01", "F13", "Shift", ""}) {
        codes.push_back(VirtualKeyFromName(name));
    }
    EXPECT_EQ(codes, (std::vector<uint32_t>{VK_ESCAPE, VK_F1, VK_F9, VK_F12, VK_RETURN, VK_SPACE,
                                            'Q', 'Z', '0', '9', VK_TAB, 0, 0, 0, 0, 0}));
}

class RunnerGameTest : public PlayedGameTest {};

// Texts are escaped so the dump is always valid JSON, whatever a name holds.
TEST_F(RunnerGameTest, TheDumpHoldsEveryKeyInOrderAndTheBoardAsRows) {
    Launch(WriteTestFile("corners.tvm", "Corners,4,3,2,\n0,1,2,1/4/\n1,2,1/\n"));
    const std::string dump = TestFolder() + "/state.json";
    Play("clock 100\npass\nkey F1\npass");
    SetBoardFromArt({".#*.", "*###", ".##."});
    std::strcpy(HighScoreName, "a\"b\\c\t\xe9");
    Play("dump " + dump);
    const std::string json = ReadWholeFile(dump);
    // Every key, in this order.
    std::istringstream keys(
        "GameState BoardWidth BoardHeight MineCount PlayableCount CoveredCount MinesLeft ViewX "
        "ViewY FirstClick ResultPending LeftButton RightButton StartTick EndTick LastTick "
        "FacePhase FaceBlinkCount FaceBlinkDelay MusicCountdown VoiceCountdown WinVoiceCountdown "
        "MenuCursorX MenuCursorY SelectedRow SelectedColumn TitleScroll NameLength AppActive "
        "FrameCount QuestionMarksOn SoundOn AnimationOn HighScore HighScoreName SpareText MapName "
        "MapPath SettingsPath Tick CellValue CoverState");
    size_t at = 0;
    for (std::string key; keys >> key;) {
        at = json.find("\"" + key + "\": ", at);
        ASSERT_NE(at, std::string::npos) << key << " missing or out of order";
    }
    for (const char* entry :
         {"\"GameState\": 1,", "\"LastTick\": 1101,", "\"Tick\": 1121,",
          "\"MapName\": \"Corners\",", "\"HighScoreName\": \"a\\\"b\\\\c\\u0009\\u00e9\",",
          "\"CellValue\": [\n    \"02M0\",\n    \"M211\",\n    \"0100\"\n  ]",
          "\"CoverState\": [\n    \" HH \",\n    \"HHHH\",\n    \" HH \"\n  ]"}) {
        EXPECT_NE(json.find(entry), std::string::npos) << entry << "\n" << json;
    }
}

// Runs torvex-headless with a script; returns its exit status.
int RunProgram(const std::string& arguments, const std::string& errorFile) {
    const std::string command =
        std::string(TORVEX_HEADLESS_PROGRAM) + " " + arguments + " 2>" + errorFile;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The words after the script are the game's argument text, joined with
// single blanks, so a map path with a blank may come as two words. The log
// goes to --log's file or to standard output; a malformed script is refused
// with status 2, naming its line.
TEST_F(RunnerGameTest, TheProgramPlaysAScriptAndLogsWhatShows) {
    const std::string map = WriteTestFile("with blank.tvm", "Blank,6,5,3,30,");
    const std::string script = TestFolder() + "/game.txt";
    std::ofstream(script) << "clock 0\npass\nkey F2\nkey F1\npass\nkey F3\npass\n"
                          << "shot " << TestFolder() << "/title shot.bmp\n";
    const std::string log = TestFolder() + "/log.txt";
    const std::string errors = TestFolder() + "/errors.txt";
    const std::string words = "'" + TestFolder() + "/with' 'blank.tvm'";
    ASSERT_EQ(RunProgram("--log '" + log + "' '" + script + "' " + words, errors), 0)
        << ReadWholeFile(errors);
    // Which clips the game embeds is the resources' business: only the lines
    // that do not depend on them are checked exactly.
    const std::string lines = ReadWholeFile(log);
    EXPECT_EQ(lines.substr(lines.rfind("exit")), "exit 1\n");
    EXPECT_EQ(ReadWholeFile(map.substr(0, map.size() - 1) + "h"),
              "? OFF,SOUND OFF,ANIMATION ON,999999,NO NAME,,");
    const std::string shot = ReadWholeFile(TestFolder() + "/title shot.bmp");
    ASSERT_GT(shot.size(), 54u);
    EXPECT_EQ(shot.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<int>(shot[28]), 8) << "an 8-bit picture with its palette";

    std::ofstream(script) << "dialog cancel\n";
    EXPECT_EQ(RunProgram("'" + script + "' > '" + log + "'", errors), 0);
    EXPECT_EQ(ReadWholeFile(log), "dialog  -> cancel\nexit 0\n");

    std::ofstream(script) << "clock 0\npass\n\nkey F99\n";
    EXPECT_EQ(RunProgram("'" + script + "' x.tvm", errors), 2);
    EXPECT_NE(ReadWholeFile(errors).find("line 4: unknown key \"F99\""), std::string::npos)
        << ReadWholeFile(errors);
}

}  // namespace
