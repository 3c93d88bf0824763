// The headless runner: its script language, its state dump, and the
// torvex-headless program as a bot or a test would run it.
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/game_state.h"
#include "board/board.h"
#include "platform/headless/headless.h"
#include "tests/app/played_game.h"
#include "tools/runner/script.h"
#include "tools/runner/state_dump.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string ParseError(const std::string& script) {
    std::vector<ScriptCommand> commands;
    std::string error;
    EXPECT_FALSE(ParseScript(script, &commands, &error)) << script;
    return error;
}

TEST(ScriptTest, ReadsEveryCommand) {
    const std::string script =
        "# a whole game\n"
        "clock 4000000000\n"
        "step 25   # slower\n"
        "dialog /maps/with blank.tvm\n"
        "dialog cancel\n"
        "\n"
        "move -12 7\n"
        "key f3\n"
        "down left\n"
        "up right\n"
        "click right\n"
        "activate 0\n"
        "close\n"
        "pass\n"
        "pass 40\n"
        "wait 1500\n"
        "shot /tmp/a b.bmp\n"
        "dump out.json\r\n";
    std::vector<ScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(ParseScript(script, &commands, &error)) << error;
    ASSERT_EQ(commands.size(), 16u);
    EXPECT_EQ(commands[0].kind, CommandKind::Clock);
    EXPECT_EQ(commands[0].number, 4000000000);
    EXPECT_EQ(commands[0].line, 2);
    EXPECT_EQ(commands[1].number, 25);
    EXPECT_EQ(commands[2].text, "/maps/with blank.tvm");
    EXPECT_FALSE(commands[2].cancel);
    EXPECT_TRUE(commands[3].cancel);
    EXPECT_EQ(commands[4].kind, CommandKind::Move);
    EXPECT_EQ(commands[4].dx, -12);
    EXPECT_EQ(commands[4].dy, 7);
    EXPECT_EQ(commands[4].line, 7);
    EXPECT_EQ(commands[5].virtualKey, VK_F3);
    EXPECT_EQ(commands[6].kind, CommandKind::Down);
    EXPECT_EQ(commands[6].button, Button::Left);
    EXPECT_EQ(commands[7].kind, CommandKind::Up);
    EXPECT_EQ(commands[7].button, Button::Right);
    EXPECT_EQ(commands[8].kind, CommandKind::Click);
    EXPECT_EQ(commands[9].kind, CommandKind::Activate);
    EXPECT_EQ(commands[9].number, 0);
    EXPECT_EQ(commands[10].kind, CommandKind::Close);
    EXPECT_EQ(commands[11].number, 1);
    EXPECT_EQ(commands[12].number, 40);
    EXPECT_EQ(commands[13].kind, CommandKind::Wait);
    EXPECT_EQ(commands[14].text, "/tmp/a b.bmp");
    EXPECT_EQ(commands[15].kind, CommandKind::Dump);
    EXPECT_EQ(commands[15].text, "out.json");
}

TEST(ScriptTest, AMalformedLineIsAnErrorNamingItsNumber) {
    EXPECT_EQ(ParseError("pass\n\njump 3\n"), "line 3: unknown command \"jump\"");
    EXPECT_EQ(ParseError("key F13"), "line 1: unknown key \"F13\"");
    EXPECT_EQ(ParseError("pass\nclick middle"),
              "line 2: click takes left or right, not \"middle\"");
    EXPECT_EQ(ParseError("move 3"), "line 1: move takes two numbers, DX and DY");
    EXPECT_EQ(ParseError("move 3 x"),
              "line 1: move needs two whole numbers from -1000000 to 1000000");
    EXPECT_EQ(ParseError("pass 0").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("pass 2 3").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("step -1").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("clock 4294967296").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("activate 2").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("wait 1.5").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("dialog   # nothing").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("shot").substr(0, 8), "line 1: ");
    EXPECT_EQ(ParseError("close now").substr(0, 8), "line 1: ");
}

// Mistakes a script's text already shows are caught before anything runs.
TEST(ScriptTest, MistakesOfOrderAreCaughtBeforeRunning) {
    EXPECT_EQ(ParseError("clock 5\nstep 0\ndialog x.tvm\npass\nclock 7").substr(0, 8), "line 5: ");
    EXPECT_EQ(ParseError("step 0\npass\nwait 100").substr(0, 8), "line 3: ");
    std::vector<ScriptCommand> commands;
    std::string error;
    EXPECT_TRUE(ParseScript("step 0\nwait 0\nstep 5\nwait 100\n", &commands, &error)) << error;
}

TEST(ScriptTest, KeyNames) {
    EXPECT_EQ(VirtualKeyFromName("Escape"), VK_ESCAPE);
    EXPECT_EQ(VirtualKeyFromName("F1"), VK_F1);
    EXPECT_EQ(VirtualKeyFromName("F9"), VK_F9);
    EXPECT_EQ(VirtualKeyFromName("f12"), VK_F12);
    EXPECT_EQ(VirtualKeyFromName("Enter"), VK_RETURN);
    EXPECT_EQ(VirtualKeyFromName("Space"), VK_SPACE);
    EXPECT_EQ(VirtualKeyFromName("q"), 0x51u);
    EXPECT_EQ(VirtualKeyFromName("Z"), 0x5Au);
    EXPECT_EQ(VirtualKeyFromName("0"), 0x30u);
    EXPECT_EQ(VirtualKeyFromName("9"), 0x39u);
    EXPECT_EQ(VirtualKeyFromName("F0"), 0u);
    EXPECT_EQ(VirtualKeyFromName("F01"), 0u);
    EXPECT_EQ(VirtualKeyFromName("F13"), 0u);
    EXPECT_EQ(VirtualKeyFromName("Tab"), 0u);
    EXPECT_EQ(VirtualKeyFromName(""), 0u);
}

TEST(StateDumpTest, TextsAreAlwaysValidJsonStrings) {
    EXPECT_EQ(JsonString("NO NAME"), "\"NO NAME\"");
    EXPECT_EQ(JsonString("a\"b\\c"), "\"a\\\"b\\\\c\"");
    EXPECT_EQ(JsonString("tab\there"), "\"tab\\u0009here\"");
    EXPECT_EQ(JsonString("\xe9t\xe9"), "\"\\u00e9t\\u00e9\"");
    EXPECT_EQ(JsonString(""), "\"\"");
}

class RunnerGameTest : public PlayedGameTest {};

TEST_F(RunnerGameTest, TheDumpHoldsEveryKeyInOrderAndTheBoardAsRows) {
    Launch(WriteMap("corners.tvm", "Corners,4,3,2,\n0,1,2,1/4/\n1,2,1/\n"));
    const std::string dump = Folder() + "/state.json";
    Play("clock 100\npass\nkey F1\npass\ndump " + dump);
    const std::string json = ReadFile(dump);
    const char* keys[] = {
        "GameState",      "BoardWidth",        "BoardHeight",     "MineCount",
        "PlayableCount",  "CoveredCount",      "MinesLeft",       "ViewX",
        "ViewY",          "FirstClick",        "ResultPending",   "LeftButton",
        "RightButton",    "StartTick",         "EndTick",         "LastTick",
        "FacePhase",      "FaceBlinkCount",    "FaceBlinkDelay",  "MusicCountdown",
        "VoiceCountdown", "WinVoiceCountdown", "MenuCursorX",     "MenuCursorY",
        "SelectedRow",    "SelectedColumn",    "TitleScroll",     "NameLength",
        "AppActive",      "FrameCount",        "QuestionMarksOn", "SoundOn",
        "AnimationOn",    "HighScore",         "HighScoreName",   "SpareText",
        "MapName",        "MapPath",           "SettingsPath",    "Tick",
        "CellValue",      "CoverState"};
    size_t at = 0;
    for (const char* key : keys) {
        const size_t found = json.find("\"" + std::string(key) + "\": ", at);
        ASSERT_NE(found, std::string::npos) << key << " missing or out of order";
        at = found;
    }
    EXPECT_NE(json.find("\"GameState\": 1,"), std::string::npos);
    EXPECT_NE(json.find("\"LastTick\": 1101,"), std::string::npos);
    EXPECT_NE(json.find("\"Tick\": 1121,"), std::string::npos);
    EXPECT_NE(json.find("\"MapName\": \"Corners\","), std::string::npos);
    EXPECT_NE(json.find("\"HighScoreName\": \"NO NAME\","), std::string::npos);
    EXPECT_NE(json.find("\"CoverState\": [\n    \" HH \",\n    \"HHHH\",\n    \" HH \"\n  ]"),
              std::string::npos)
        << json;

    // The values row by row, as the game holds them.
    std::string values = "\"CellValue\": [";
    for (int y = 0; y < BoardHeight; ++y) {
        values += y == 0 ? "\n    \"" : ",\n    \"";
        for (int x = 0; x < BoardWidth; ++x) {
            const int8_t value = CellValue[CellIndex(x, y)];
            values += value == Mine ? 'M' : static_cast<char>('0' + value);
        }
        values += "\"";
    }
    EXPECT_NE(json.find(values + "\n  ]"), std::string::npos) << json;
    EXPECT_EQ(std::count(values.begin(), values.end(), 'M'), 2);
    Close();
}

#ifdef TORVEX_HEADLESS_PROGRAM

// Runs torvex-headless with a script; returns its exit status.
int RunProgram(const std::string& arguments, const std::string& errorFile) {
    const std::string command =
        std::string(TORVEX_HEADLESS_PROGRAM) + " " + arguments + " 2>" + errorFile;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The words after the script are the game's argument text, joined with
// single blanks, so a map path with a blank may come as two words.
TEST_F(RunnerGameTest, TheProgramPlaysAScriptAndLogsWhatShows) {
    const std::string map = WriteMap("with blank.tvm", "Blank,6,5,3,30,");
    const std::string script = Folder() + "/game.txt";
    std::ofstream(script) << "clock 0\npass\nkey F2\nkey F1\npass\nkey F3\npass\n"
                          << "shot " << Folder() << "/title.bmp\n";
    const std::string log = Folder() + "/log.txt";
    const std::string errors = Folder() + "/errors.txt";
    ASSERT_EQ(RunProgram("--log '" + log + "' '" + script + "' '" + Folder() + "/with' 'blank.tvm'",
                         errors),
              0)
        << ReadFile(errors);
    // With the game's own clips embedded, F2, F1 and F3 sound; the close
    // stops every slot. Which clips exist is the resources' business: only
    // the lines that do not depend on them are checked exactly.
    const std::string lines = ReadFile(log);
    EXPECT_EQ(lines.substr(lines.rfind("exit")), "exit 1\n");
    EXPECT_EQ(ReadFile(map.substr(0, map.size() - 1) + "h"),
              "? OFF,SOUND OFF,ANIMATION ON,999999,NO NAME,,");
    const std::string shot = ReadFile(Folder() + "/title.bmp");
    ASSERT_GT(shot.size(), 54u);
    EXPECT_EQ(shot.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<int>(shot[28]), 8) << "an 8-bit picture with its palette";
}

TEST_F(RunnerGameTest, TheProgramLogsToStandardOutputAndEndsWithTheGamesResult) {
    const std::string script = Folder() + "/cancel.txt";
    std::ofstream(script) << "dialog cancel\n";
    const std::string out = Folder() + "/out.txt";
    const int status = RunProgram("'" + script + "' > '" + out + "'", Folder() + "/err.txt");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(out), "dialog  -> cancel\nexit 0\n");
}

TEST_F(RunnerGameTest, TheProgramRefusesAMalformedScriptNamingTheLine) {
    const std::string script = Folder() + "/bad.txt";
    std::ofstream(script) << "clock 0\npass\n\nkey F99\n";
    const std::string errors = Folder() + "/errors.txt";
    EXPECT_EQ(RunProgram("'" + script + "' x.tvm", errors), 2);
    EXPECT_NE(ReadFile(errors).find("line 4: unknown key \"F99\""), std::string::npos)
        << ReadFile(errors);
}

#endif

}  // namespace
