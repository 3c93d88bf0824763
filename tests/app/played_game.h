// Whole games for the tests of the application shell: the real game on the
// headless machine, driven by runner commands, with the game's globals open
// to inspection between commands.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/game_fixture.h"
#include "tools/runner/scripted_game.h"

class PlayedGameTest : public GameTest {
  protected:
    void SetUp() override;

    // A folder of this test's own, so settings files never carry over.
    std::string Folder();
    // Writes a map file into Folder() and returns its path.
    std::string WriteMap(const std::string& fileName, const std::string& text);
    // A 6 x 5 map with 3 mines and no Void cells.
    std::string WriteSmallMap();

    // Starts a game with this argument text (runs nothing yet).
    void Launch(const std::string& commandLine);
    // Runs runner commands; a command that fails fails the test.
    void Play(const std::string& script);
    // The close request and passes until the game has ended.
    void Close();

    // Puts the centre cursor on the middle of cell (x, y) and runs a pass.
    void AimAt(int x, int y);
    // Aims at a cell and clicks it with one button, one pass per message.
    void ClickCell(int x, int y, const std::string& button);
    // Opens every safe cell still covered, one click each, which wins.
    void OpenEverySafeCell();
    // A cell of the current game that holds a mine, or a safe one.
    void FindCell(bool mine, int* x, int* y);

    // Registers a 640 x 460 sheet of our own as "BMP1": palette entry i has
    // blue i, green 255 - i and red i / 2; pixel (x, y) is (x + y) % 256.
    void InstallTestSheet();

    // The "sound ..." lines logged since the last call.
    std::vector<std::string> NewSounds();

    std::unique_ptr<ScriptedGame> game;

  private:
    size_t soundsSeen_ = 0;
};
