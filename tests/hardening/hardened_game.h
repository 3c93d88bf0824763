// Whole games started with awkward input: the real game on the headless
// machine, with a folder of the test's own for its files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/game_fixture.h"
#include "tools/runner/scripted_game.h"

class HardenedGameTest : public GameTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A folder of this test's own, left writable again after the test.
    std::string Folder();
    // Writes `bytes` into a file of Folder(); returns its path.
    std::string WriteFile(const std::string& name, const std::string& bytes);
    // A 6 x 5 map with 3 mines.
    std::string WriteSmallMap(const std::string& name = "small.tvm");

    // Starts the game with this argument text; the open dialog is answered
    // by `dialogAnswers` in order, then cancelled.
    void Start(const std::string& commandLine, const std::vector<std::string>& dialogAnswers = {});
    // Runs runner commands (see the runner's script format).
    void Play(const std::string& script);
    // The close request, and passes until the game has ended.
    void Close();

    // The notices the player saw, as "CAPTION | TEXT" (a line break in the
    // text shows as \n).
    std::vector<std::string> Notices() const;

    std::unique_ptr<ScriptedGame> game;
};

// The whole contents of a file, or "<missing>".
std::string ContentsOf(const std::string& path);
