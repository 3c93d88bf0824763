// Start-up and closing: the order of the start-up steps as far as they show,
// the exit codes, the settings file read at start and written at close.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/game_state.h"
#include "app/main_loop.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/new_game.h"
#include "board/random.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/app/played_game.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

class StartUpTest : public PlayedGameTest {};

TEST_F(StartUpTest, CancellingTheMapChoiceEndsWithZeroBeforeAnyWindow) {
    Launch("");
    Play("dialog cancel\npass 3\nkey F1\npass");
    Close();
    EXPECT_EQ(game->ExitCode(), 0);
    EXPECT_EQ(game->LogLines(), (std::vector<std::string>{"dialog  -> cancel", "exit 0"}));
    EXPECT_FALSE(HeadlessDisplayIsOpen());
    EXPECT_EQ(HeadlessFramesPresented(), 0u);
    EXPECT_EQ(FrameCount, 0u);
}

TEST_F(StartUpTest, AMapChosenInTheDialogIsPlayedAndItsSettingsPathDerived) {
    const std::string map = WriteSmallMap();
    Launch("");
    Play("dialog " + map + "\npass");
    EXPECT_TRUE(game->Running());
    EXPECT_STREQ(MapPath, map.c_str());
    EXPECT_EQ(std::string(SettingsPath), map.substr(0, map.size() - 1) + "h");
    EXPECT_STREQ(MapName, "Small");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(AppActive, 1);
    EXPECT_EQ(FrameCount, 1u);
    Close();
    EXPECT_EQ(game->ExitCode(), 1);
}

TEST_F(StartUpTest, WithoutADisplayTheGameEndsWithZeroSilentlyAndWritesNoSettings) {
    const std::string map = WriteSmallMap();
    HeadlessSetDisplayAvailable(false);
    Launch(map);
    Play("pass 2");
    Close();
    EXPECT_EQ(game->ExitCode(), 0);
    EXPECT_EQ(game->LogLines(), (std::vector<std::string>{"exit 0"}));
    EXPECT_FALSE(std::filesystem::exists(SettingsPath));
    EXPECT_EQ(AppActive, 0);
}

// The pause before the display is taken ends at the first reading more than
// a second after it began, and the generator is seeded at that moment, so a
// start at tick T always deals the boards of seed T + 1001.
TEST_F(StartUpTest, ThePauseLastsJustOverASecondAndSeedsTheBoards) {
    Launch(WriteSmallMap());
    Play("clock 5000\nstep 0\npass\nkey F1\npass");
    EXPECT_EQ(LastTick, 6001u);
    EXPECT_EQ(GetTickCount(), 6001u);
    ASSERT_EQ(GameState, Ready);
    const std::vector<int8_t> dealt(CellValue, CellValue + BoardCells);

    SeedRandom(6001);
    NewGame();
    EXPECT_EQ(std::vector<int8_t>(CellValue, CellValue + BoardCells), dealt);
    Close();
}

TEST_F(StartUpTest, AMissingNameEntryTuneIsReportedOnceAndTheGameGoesOn) {
    HeadlessHideResource("bgmx", "WAVE");
    Launch(WriteSmallMap());
    Play("pass 3");
    const std::vector<std::string> expected{"messagebox FALSE | bgm2"};
    EXPECT_EQ(HeadlessLog(), expected);
    EXPECT_TRUE(game->Running());
    EXPECT_EQ(HeadlessFramesPresented(), 3u);
    Close();
    EXPECT_EQ(game->ExitCode(), 1);
}

// With no settings file the options are on and nobody holds the best time;
// closing writes the first file.
TEST_F(StartUpTest, TheFirstCloseWritesTheDefaultSettings) {
    Launch(WriteSmallMap());
    Play("pass");
    EXPECT_EQ(QuestionMarksOn, 1);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(AnimationOn, 1);
    EXPECT_EQ(HighScore, 999999);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    Close();
    EXPECT_EQ(ReadFile(SettingsPath), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
}

TEST_F(StartUpTest, SettingsChangedInOneRunAreThereInTheNext) {
    const std::string map = WriteSmallMap();
    Launch(map);
    Play("pass\nkey F2\nkey F3\npass");
    Close();
    const std::string settings = SettingsPath;
    EXPECT_EQ(ReadFile(settings), "? OFF,SOUND OFF,ANIMATION ON,999999,NO NAME,,");

    // A new process: a fresh machine and a fresh game.
    HeadlessReset();
    ResetGame();
    QuestionMarksOn = 1;
    SoundOn = 1;
    Launch(map);
    Play("pass");
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(AnimationOn, 1);
    Close();
}

// A spare text from a later version of the file survives a run.
TEST_F(StartUpTest, AHandWrittenFileIsReadAndItsSpareTextKept) {
    const std::string map = WriteSmallMap();
    std::ofstream(map.substr(0, map.size() - 1) + "h")
        << "? ON,\nSOUND OFF,\nANIMATION OFF,\n87,\nACE,\nkeep me,\n";
    Launch(map);
    Play("pass");
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(AnimationOn, 0);
    EXPECT_EQ(HighScore, 87);
    EXPECT_STREQ(HighScoreName, "ACE");
    EXPECT_STREQ(SpareText, "keep me");
    Close();
    EXPECT_EQ(ReadFile(SettingsPath), "? ON,SOUND OFF,ANIMATION OFF,87,ACE,keep me,");
}

TEST_F(StartUpTest, EveryMapKeepsItsOwnSettingsFile) {
    const std::string first = WriteMap("first.tvm", "First,6,5,3,30,");
    const std::string second = WriteMap("second.TVM", "Second,4,4,2,16,");
    Launch(first);
    Play("pass\nkey F4\npass");
    Close();

    HeadlessReset();
    ResetGame();
    Launch(second);
    Play("pass");
    EXPECT_EQ(AnimationOn, 1) << "the first map's settings leaked into the second's";
    EXPECT_EQ(std::string(SettingsPath), Folder() + "/second.TVh");
    Close();
    EXPECT_EQ(ReadFile(Folder() + "/first.tvh"), "? ON,SOUND ON,ANIMATION OFF,999999,NO NAME,,");
    EXPECT_EQ(ReadFile(Folder() + "/second.TVh"), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
}

TEST_F(StartUpTest, EscapeClosesWithoutAClick) {
    Launch(WriteSmallMap());
    Play("pass");
    NewSounds();
    Play("key Escape\npass");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(game->ExitCode(), 1);
    // Only the stops of the shutdown, every slot in order.
    EXPECT_EQ(NewSounds(),
              (std::vector<std::string>{"sound bang stop", "sound do stop", "sound geco stop",
                                        "sound bgm stop", "sound jyan stop", "sound wao stop",
                                        "sound ya stop", "sound this stop", "sound bgmx stop"}));
    EXPECT_TRUE(std::filesystem::exists(SettingsPath));
}

TEST_F(StartUpTest, TheMenusExitItemClicksAndTheCloseStopsTheClick) {
    Launch(WriteSmallMap());
    Play("pass\nmove 0 165\npass");
    NewSounds();
    Play("click left\npass");
    EXPECT_FALSE(game->Running());
    const std::vector<std::string> sounds = NewSounds();
    ASSERT_EQ(sounds.size(), 10u);
    EXPECT_EQ(sounds[0], "sound do once");
    EXPECT_EQ(sounds[2], "sound do stop");
}

// The close is handled in the drain of the pass that composed a frame; the
// shutdown then blanks both pages and nothing more is drawn.
TEST_F(StartUpTest, NoFrameIsComposedAfterTheClose) {
    InstallTestSheet();
    Launch(WriteSmallMap());
    Play("pass 2");
    const uint64_t before = HeadlessFramesPresented();
    Play("close\npass 5");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(HeadlessFramesPresented(), before + 3);  // the last frame, then two black pages
    const uint8_t* pixels = HeadlessFramePixels();
    EXPECT_TRUE(std::all_of(pixels, pixels + ScreenWidth * ScreenHeight,
                            [](uint8_t pixel) { return pixel == 0; }));
    EXPECT_FALSE(HeadlessDisplayIsOpen());
    EXPECT_FALSE(HeadlessAudioIsOpen());
}

}  // namespace
