// SPDX-License-Identifier: MIT
// Replays: whole games played on the headless machine are kept as replays,
// and a replay played again ends in exactly the state, with exactly the
// sounds, that the game reached.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include <sys/wait.h>

#include "app/replay_format.h"
#include "app/replay_seam.h"
#include "board/board.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"
#include "tools/runner/state_dump.h"

namespace {

class ReplayTest : public PlayedGameTest {
  protected:
    // A game on the field map on the title, keeping replays in the test's folder.
    void StartRecordedGame() {
        map_ = WriteFieldMap();
        Launch(map_);
        ReplayFolder = Folder();
        Play("clock 5000\nstep 16\npass 2");
        ASSERT_EQ(GameState, Title);
    }

    std::string Folder() { return TestFolder() + "/replays"; }

    std::vector<std::string> KeptFiles() {
        std::vector<std::string> names;
        if (!std::filesystem::exists(Folder()))
            return names;
        for (const auto& entry : std::filesystem::directory_iterator(Folder()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Marks the point the replay starts from, just before the key or click
    // that starts a game: the log from here on is the replay's.
    void MarkStart() { logAtStart_ = HeadlessLog().size(); }

    // What the game has reached: its whole state and the log since the start.
    void TakeEnd() {
        endState_ = GameStateJson();
        const std::vector<std::string>& log = HeadlessLog();
        endLog_.assign(log.begin() + static_cast<std::ptrdiff_t>(logAtStart_), log.end());
    }

    // Plays `replay` on a fresh machine with an empty command line (so on
    // the map the replay names) and checks that it ends where the game did.
    void ExpectReplayEndsAlike(const std::string& replay) {
        // What the game wrote of its settings goes: the replay writes none.
        std::filesystem::remove(TestFolder() + "/field.tvh");
        Restart();
        Launch("");
        std::string error;
        ASSERT_TRUE(game->RunScript(replay, &error)) << error;
        EXPECT_EQ(GameStateJson(), endState_);
        EXPECT_EQ(HeadlessLog(), endLog_);
        EXPECT_TRUE(KeptFiles().empty() || KeptFiles().size() == keptBefore_)
            << "a replay being played records nothing";
    }

    // Opens safe cells one by one until the game is won, with the inputs a
    // player makes on the way: steps of the clock that vary, a flag set and
    // taken away, a chord, the options switched, the focus lost and back.
    void WinWithEveryKindOfInput() {
        Play("step 17");
        bool flagged = false;
        bool chorded = false;
        for (int x = 0; x < BoardWidth && GameState != Won; ++x) {
            for (int y = 0; y < BoardHeight && GameState != Won; ++y) {
                const int i = CellIndex(x, y);
                if (!flagged && CellValue[i] == Mine && !FirstClick) {
                    ClickCell(x, y, "right");
                    Play("step 15\nkey F4\npass\nactivate 0\npass 3\nactivate 1\npass 2");
                    ClickCell(x, y, "right");
                    ClickCell(x, y, "right");
                    flagged = true;
                }
                if (CellValue[i] == Mine || CoverState[i] != Hidden)
                    continue;
                ClickCell(x, y, "left");
                if (!chorded && CellValue[i] > 0 && GameState == Playing) {
                    // Both buttons on an open number whose mines are not all
                    // flagged: the chord opens nothing but is a chord.
                    Play("down left\npass\ndown right\npass 2\nup right\npass\nup left\npass 3");
                    Play("key F2\npass\nstep 19\nwait 250");
                    // A look at the whole field, travelling over it, and back.
                    Play("keydown Tab\npass\nmove 7 -3\npass 2\nkeyup Tab\npass");
                    chorded = true;
                }
            }
        }
        Play("wait 600");
        ASSERT_EQ(GameState, Won);
    }

    std::string map_;
    size_t logAtStart_ = 0;
    size_t keptBefore_ = 0;
    std::string endState_;
    std::vector<std::string> endLog_;
};

TEST_F(ReplayTest, AWonGameWithANameEntryReplaysExactly) {
    StartRecordedGame();
    Play("move 0 35\npass\nkey F3\npass");  // the menu cursor moved, sound off
    MarkStart();
    // Sound back on during the game, and the best time forgotten.
    Play("key F1\npass 3\nkey F3\npass 2\nkey F9\npass");
    ASSERT_NO_FATAL_FAILURE(WinWithEveryKindOfInput());
    // A new best time: the name entry, with a character taken back, then END.
    Play("click left\npass 4");
    ASSERT_EQ(GameState, NameEntry);
    Play("move 75 10\npass\nclick left\npass\nmove 40 30\npass\nclick left\npass\nclick right");
    Play("pass\nmove 0 200\npass 2\nclick left\npass");
    ASSERT_EQ(GameState, Title);
    EXPECT_STREQ(HighScoreName, "C");
    TakeEnd();

    const std::vector<std::string> kept = KeptFiles();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(std::regex_match(kept[0], std::regex(R"(Field-\d{8}-\d{6}-won-[0-9]s\.tvr)")))
        << kept[0];
    const std::string replay = ReadWholeFile(Folder() + "/" + kept[0]);
    EXPECT_EQ(replay, LastRecordedReplay());
    // Every kind of input is in it: the focus lost and back, both buttons,
    // F2, F3, F4 and F9.
    for (const char* line :
         {"message 28 0 0\n", "message 28 1 0\n", "message 516 0 0\n", "message 256 9 0\n",
          "message 257 9 0\n", "message 517 0 0\n", "message 513 0 0\n", "message 256 113 0\n",
          "message 256 114 0\n", "message 256 115 0\n", "message 256 120 0\n"}) {
        EXPECT_NE(replay.find(line), std::string::npos) << line;
    }
    keptBefore_ = 1;
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAlike(replay));
    // The replay stored a best time and finished its holder's name, and is
    // closed; the settings file stays untouched all the same.
    Close();
    EXPECT_EQ(ReadWholeFile(TestFolder() + "/field.tvh"), "<missing>");
}

TEST_F(ReplayTest, ALostGameClosedOnItsEndScreenReplaysToTheClose) {
    StartRecordedGame();
    MarkStart();
    SelectMenuItem(0);
    Play("click left\npass 2");  // the menu's "Game Start"
    ASSERT_EQ(GameState, Ready);
    // Open a safe cell first, then walk onto a mine.
    for (int i = 0; i < BoardCells && FirstClick; ++i) {
        if (CoverState[i] == Hidden && CellValue[i] != Mine)
            ClickCell(i / MaxBoardSide, i % MaxBoardSide, "left");
    }
    for (int i = 0; i < BoardCells && GameState == Playing; ++i) {
        if (CoverState[i] == Hidden && CellValue[i] == Mine)
            ClickCell(i / MaxBoardSide, i % MaxBoardSide, "left");
    }
    ASSERT_EQ(GameState, Lost);
    Play("pass 20\nmove 9 -4\nkey Escape\npass");
    ASSERT_FALSE(game->Running());
    TakeEnd();

    const std::vector<std::string> kept = KeptFiles();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0].find("-lost-0s.tvr"), std::string::npos) << kept[0];
    const std::string replay = LastRecordedReplay();
    keptBefore_ = 1;
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAlike(replay));
    EXPECT_FALSE(game->Running()) << "the recorded Escape closes the replayed game too";
    EXPECT_EQ(ReadWholeFile(TestFolder() + "/field.tvh"), "<missing>");
}

TEST_F(ReplayTest, AGameAbandonedIsDroppedAndANewStartKeepsTheFinishedOne) {
    // A game abandoned with a flag on it, then one lost, then, in one pass,
    // the F1 that starts the next game and an F2 after it.
    const auto play = [this](const std::string& lastPass) {
        StartRecordedGame();
        Play("key F1\npass 2");
        ClickCell(0, 0, "right");
        // Tab held over the start of the next game: it begins in the overview.
        Play("keydown Tab\npass\nmove 3 2\npass");
        MarkStart();
        Play("key F1\npass 2\nmove 2 1\npass\nkeyup Tab\npass");
        EXPECT_TRUE(KeptFiles().empty());
        for (int i = 0; i < BoardCells && GameState != Lost; ++i) {
            if (CoverState[i] == Hidden && (CellValue[i] == Mine) == !FirstClick)
                ClickCell(i / MaxBoardSide, i % MaxBoardSide, "left");
        }
        ASSERT_EQ(GameState, Lost);
        EXPECT_TRUE(KeptFiles().empty()) << "kept only once the player leaves its end";
        Play("pass 5\nmove 3 3\n" + lastPass);
    };
    // Without the last keys: where the game stands at the end of that pass.
    ASSERT_NO_FATAL_FAILURE(play("pass"));
    TakeEnd();
    EXPECT_EQ(GameState, Lost);
    Restart();
    ASSERT_NO_FATAL_FAILURE(play("key F1\nkey F2\npass"));
    ASSERT_EQ(KeptFiles().size(), 1u);
    const std::string replay = LastRecordedReplay();
    EXPECT_EQ(replay.find("message 256 112 "), replay.rfind("message 256 112 "))
        << "the F1 that starts the next game is not in the last one's replay";
    EXPECT_EQ(replay.find("message 256 113 "), std::string::npos);
    EXPECT_NE(replay.find(" overview=1 "), std::string::npos) << "begun with Tab held";
    EXPECT_NE(replay.find("message 257 9 "), std::string::npos) << "Tab let go";

    // Its replay ends in the pass of that F1, as the pass was before it.
    keptBefore_ = 1;
    ASSERT_NO_FATAL_FAILURE(ExpectReplayEndsAlike(replay + "\n"));
}

TEST_F(ReplayTest, AReplayIsRefusedOnAMapWhoseBytesDiffer) {
    StartRecordedGame();
    Play("key F1\npass");
    for (int i = 0; i < BoardCells && GameState != Lost; ++i) {
        if (CoverState[i] == Hidden && (CellValue[i] == Mine) == !FirstClick)
            ClickCell(i / MaxBoardSide, i % MaxBoardSide, "left");
    }
    Play("pass 3\nclick left\npass");
    ASSERT_EQ(GameState, Title);
    const std::string replay = LastRecordedReplay();
    ASSERT_FALSE(replay.empty());

    // The same field, written with a line break at its end: another map file.
    WriteTestFile("field.tvm", "Field,6,5,4,30,\n");
    Restart();
    Launch("");
    std::string error;
    EXPECT_FALSE(game->RunScript(replay, &error));
    EXPECT_NE(error.find("is not the one this replay was played on"), std::string::npos) << error;
    EXPECT_FALSE(game->Started()) << "refused before the game starts";

    // A copy with the very bytes, named on the command line, is taken.
    const std::string copy = WriteTestFile("copy.tvm", "Field,6,5,4,30,");
    Restart();
    Launch(copy);
    EXPECT_TRUE(game->RunScript(replay, &error)) << error;
}

// The program keeps a replay with --record and gives its figures with
// --stats. The game, every pass 100 ms, on the layout the field gets from
// clock 5000 (checked below), columns x = 0..5 left to right:
//
//     0 0 0 1 1 1      3BV: the empty cells make one area (x = 0..2 of row
//     1 1 0 1 M 1      0, column 2, row 4 and (3,3)), which opens every
//     M 1 0 1 2 2      number it touches; the 1s at (4,0), (5,0), (5,1) and
//     1 1 0 0 2 M      the 2 at (5,2) touch no empty cell: 1 + 4 = 5.
//     0 0 0 0 2 M
//
// Left clicks open (3,2), the area at (2,2), (5,0) and (5,2); a right click
// flags (4,1); a chord on (5,0) opens (4,0) and (5,1): 4 + 1 + 1 clicks,
// efficiency 5 / 6 = 83 %. The start-up pause leaves the clock at 6001;
// the first press comes in the third pass, at 6301, the last opening at
// 7201, and the next pass, at 7301, draws the last frame of play and
// completes the win: 1.00 s, 5.00 3BV/s.
TEST_F(ReplayTest, TheProgramKeepsReplaysAndGivesTheirFigures) {
    const std::string map = WriteFieldMap();
    const std::string script = TestFolder() + "/game.txt";
    std::ofstream(script) << "clock 5000\nstep 100\npass\nkey F1\npass\n"
                             "click left\npass\nmove -32 0\npass\nclick left\npass\n"
                             "move 64 -32\npass\nclick right\npass\nmove 32 -32\npass\n"
                             "click left\npass\ndown left\ndown right\nup right\nup left\npass\n"
                             "move 0 64\npass\nclick left\npass 2\ndump " +
                                 TestFolder() + "/won.json\n";
    const std::string program = TORVEX_HEADLESS_PROGRAM;
    const std::string errors = TestFolder() + "/errors.txt";
    const auto run = [&](const std::string& arguments) {
        const int status = std::system(
            (program + " " + arguments + " > " + TestFolder() + "/out.txt 2> " + errors).c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << ReadWholeFile(errors);
        return ReadWholeFile(TestFolder() + "/out.txt");
    };
    run("--record '" + Folder() + "' '" + script + "' '" + map + "'");
    const std::string won = ReadWholeFile(TestFolder() + "/won.json");
    EXPECT_NE(won.find("\"CellValue\": [\n    \"000111\",\n    \"1101M1\",\n    \"M10122\",\n    "
                       "\"11002M\",\n    \"00002M\"\n  ]"),
              std::string::npos)
        << won;
    ASSERT_EQ(KeptFiles().size(), 1u);
    const std::string replay = "'" + Folder() + "/" + KeptFiles()[0] + "'";
    EXPECT_EQ(run("--stats " + replay),
              "map: Field\nresult: won\ntime: 1.00\n3BV: 5\n3BV/s: 5.00\nleft clicks: 4\n"
              "right clicks: 1\nchords: 1\nefficiency: 83%\n");
    EXPECT_EQ(run("--stats-json " + replay),
              "{\"map\": \"Field\", \"result\": \"won\", \"time\": 1.00, \"3bv\": 5, "
              "\"3bv_per_second\": 5.00, \"left_clicks\": 4, \"right_clicks\": 1, \"chords\": 1, "
              "\"efficiency\": 83}\n");
    EXPECT_EQ(KeptFiles().size(), 1u) << "figures are taken without keeping another replay";
}

TEST(ReplayFormat, PassesAreThreeSymbolsWithRepeatsAndLargeValuesInParentheses) {
    std::string codes;
    AppendPassCode({16, 0, 0}, &codes);
    AppendPassCode({17, -30, 31}, &codes);
    AppendRepeatCode(4, &codes);
    AppendPassCode({250, 32, -41}, &codes);
    AppendPassCode({0, 1, -1}, &codes);
    EXPECT_EQ(codes, "GUUH0z[4](250)(32)(-41)0VT");

    std::vector<ReplayPass> passes;
    std::string error;
    ASSERT_TRUE(ParsePassCodes(codes, &passes, &error)) << error;
    const std::vector<ReplayPass> expected = {{16, 0, 0},     {17, -30, 31}, {17, -30, 31},
                                              {17, -30, 31},  {17, -30, 31}, {17, -30, 31},
                                              {250, 32, -41}, {0, 1, -1}};
    EXPECT_EQ(passes, expected);

    for (const char* bad : {"GU", "[3]GUU", "GUU[0]", "G!U", "(12GUU", "G(x)U"}) {
        passes.clear();
        EXPECT_FALSE(ParsePassCodes(bad, &passes, &error)) << bad;
    }
}

TEST(ReplayFormat, TextsSurviveEscaping) {
    const std::string name = "A #b%c=d \x01\xE9";
    const std::string escaped = EscapeReplayText(name);
    EXPECT_EQ(escaped.find_first_of(" #"), std::string::npos) << escaped;
    std::string back;
    ASSERT_TRUE(UnescapeReplayText(escaped, &back));
    EXPECT_EQ(back, name);
    EXPECT_FALSE(UnescapeReplayText("ab%4", &back));
    EXPECT_FALSE(UnescapeReplayText("ab%G1", &back));
}

}  // namespace
