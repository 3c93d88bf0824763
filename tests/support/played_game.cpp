// SPDX-License-Identifier: MIT
#include "tests/support/played_game.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "board/board.h"
#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/test_sounds.h"
#include "video/compose.h"

const std::vector<std::string> ArrangedField = {"*#*###", "######", "######", "######", "####**"};

void PlayedGameTest::SetUp() {
    GameTest::SetUp();
    soundsSeen_ = 0;
    // Tiny clips in place of the game's sounds, so every cue shows in the log
    // whatever the real clips are.
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot) {
        HeadlessAddResource(SoundResourceNames[slot], "WAVE", MakeTestWave(64));
    }
}

void PlayedGameTest::Play(const std::string& script) {
    ASSERT_NE(game, nullptr) << "Launch first";
    std::string error;
    ASSERT_TRUE(game->RunScript(script, &error)) << error;
}

void PlayedGameTest::Close() {
    std::string error;
    ASSERT_TRUE(game->Finish(&error)) << error;
}

void PlayedGameTest::StartOnTitle(bool soundOn) {
    Launch(WriteFieldMap());
    Play("clock 5000\npass");
    ASSERT_EQ(GameState, Title);
    SoundOn = soundOn ? 1 : 0;  // as a settings file would have it
    NewSounds();
}

void PlayedGameTest::StartOnField(bool soundOn) {
    ASSERT_NO_FATAL_FAILURE(StartOnTitle(soundOn));
    Play("key F1\npass");
    ASSERT_EQ(GameState, Ready);
    SetBoardFromArt(ArrangedField);
    FirstClick = 0;
    NewSounds();
}

void PlayedGameTest::EnterNameEntry(bool soundOn) {
    ASSERT_NO_FATAL_FAILURE(StartOnField(soundOn));
    OpenEverySafeCell();
    Play("pass");
    ASSERT_EQ(GameState, Won);
    NewSounds();
    Play("click left\npass");
    ASSERT_EQ(GameState, NameEntry);
}

void PlayedGameTest::SelectMenuItem(int item) {
    Play("move 0 " + std::to_string(30 * item + 15 - MenuCursorY) + "\npass");
    ASSERT_EQ(SelectedRow, item);
}

void PlayedGameTest::AimAt(int x, int y) {
    const int dx = CellPixels * x + CellPixels / 2 - ViewX;
    const int dy = CellPixels * y + CellPixels / 2 - ViewY;
    Play("move " + std::to_string(dx) + " " + std::to_string(dy) + "\npass");
    ASSERT_EQ(ViewX / CellPixels, x);
    ASSERT_EQ(ViewY / CellPixels, y);
}

void PlayedGameTest::OpenEverySafeCell() {
    for (int x = 0; x < BoardWidth; ++x) {
        for (int y = 0; y < BoardHeight; ++y) {
            const int i = CellIndex(x, y);
            if (CellValue[i] != Mine && CoverState[i] == Hidden)
                ClickCell(x, y, "left");
        }
    }
}

std::vector<std::string> PlayedGameTest::NewSounds() {
    const std::vector<std::string>& log = HeadlessLog();
    std::vector<std::string> sounds;
    std::copy_if(log.begin() + soundsSeen_, log.end(), std::back_inserter(sounds),
                 [](const std::string& line) { return line.rfind("sound ", 0) == 0; });
    soundsSeen_ = log.size();
    return sounds;
}
