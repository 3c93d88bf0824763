// SPDX-License-Identifier: MIT
// Start-up and closing: the order of the start-up steps as far as they show,
// the exit codes, the settings file read at start and written at close.
#include <algorithm>
#include <filesystem>

#include "app/shell_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/new_game.h"
#include "board/random.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"

namespace {

using Lines = std::vector<std::string>;

class StartUpTest : public PlayedGameTest {};

// Without a display the game ends with 0 silently, drawing and writing
// nothing; the activation that comes with its window must not make it
// active. (Cancelling the map's dialog is tested with the map's choice.)
TEST_F(StartUpTest, WithoutADisplayTheGameEndsWithZeroAndWritesNothing) {
    HeadlessSetDisplayAvailable(false);
    Launch(WriteFieldMap());
    Play("pass 3\nkey F1\npass");
    Close();
    EXPECT_EQ(game->LogLines(), Lines{"exit 0"});
    EXPECT_EQ(HeadlessFramesPresented(), 0u);
    EXPECT_EQ(AppActive, 0);
    EXPECT_FALSE(std::filesystem::exists(TestFolder() + "/field.tvh"));
}

// The pause before the display is taken ends at the first reading more than
// a second after it began, and the generator is seeded at that moment, so a
// start at tick T always deals the boards of seed T + 1001. A missing
// name-entry tune is the one sound the player is told about.
TEST_F(StartUpTest, ThePauseSeedsTheBoardsAndAMissingTuneIsReported) {
    HeadlessHideResource("bgmx", "WAVE");
    Launch(WriteFieldMap());
    Play("clock 5000\nstep 0\npass\nkey F1\npass");
    EXPECT_EQ(LastTick, 6001u);
    EXPECT_EQ(HeadlessLog(), (Lines{"messagebox FALSE | bgm2", "sound jyan once"}));
    ASSERT_EQ(GameState, Ready);
    const std::vector<int8_t> dealt(CellValue, CellValue + BoardCells);
    SeedRandom(6001);
    NewGame();
    EXPECT_EQ(std::vector<int8_t>(CellValue, CellValue + BoardCells), dealt);
}

// A close writes the settings file beside the map (the extension's last
// letter turned into 'h'), each map its own, and the next start reads it.
// The close is handled in the drain of the pass that composed a frame; the
// shutdown then blanks both pages and nothing more is drawn.
TEST_F(StartUpTest, ClosingBlanksTheScreenAndKeepsTheSettingsOfEachMap) {
    const std::string first = WriteTestFile("first.tvm", "First,6,5,3,30,");
    const std::string second = WriteTestFile("second map.TVM", "Second,4,4,2,16,");
    Launch(first);
    Play("pass\nkey F2\nkey F3\npass");
    const uint64_t frames = HeadlessFramesPresented();
    Play("key Escape\npass 5");
    EXPECT_EQ(game->ExitCode(), 1);
    EXPECT_EQ(HeadlessFramesPresented(), frames + 3);  // the last frame, then two black pages
    const uint8_t* pixels = HeadlessFramePixels();
    EXPECT_TRUE(std::all_of(pixels, pixels + ScreenWidth * ScreenHeight,
                            [](uint8_t pixel) { return pixel == 0; }));
    EXPECT_FALSE(HeadlessDisplayIsOpen());
    EXPECT_FALSE(HeadlessAudioIsOpen());
    EXPECT_EQ(ReadWholeFile(TestFolder() + "/first.tvh"),
              "? OFF,SOUND OFF,ANIMATION ON,999999,NO NAME,,");

    Restart();
    Launch("");
    Play("dialog " + second + "\npass");
    EXPECT_EQ(std::string(SettingsPath), TestFolder() + "/second map.TVh");
    EXPECT_EQ(QuestionMarksOn, 1) << "the first map's settings leaked into the second's";
    Close();
    EXPECT_EQ(ReadWholeFile(SettingsPath), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");

    Restart();
    Launch(first);
    Play("pass");
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(AnimationOn, 1);
}

}  // namespace
