// SPDX-License-Identifier: MIT
// Whole games for the tests of the application shell and of the sound cues:
// the real game on the headless machine, driven by runner commands, with the
// game's globals open to inspection between commands.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/game_fixture.h"
#include "tools/runner/scripted_game.h"

// The field most games are played on, 6 x 5 with four mines: (1,0) is a 2
// between two mines, (3,0) a 1, and (2,2) a 0 whose flood opens all but (1,0).
extern const std::vector<std::string> ArrangedField;

class PlayedGameTest : public GameTest {
  protected:
    void SetUp() override;
    // A fresh machine and game, as a new process has them; files stay.
    void Restart() { SetUp(); }

    // The field map, written into the test's own folder.
    std::string WriteFieldMap() { return WriteTestFile("field.tvm", "Field,6,5,4,30,"); }

    // A game with this argument text, driven by runner commands (one that
    // fails fails the test); Close ends it as the runner does at a script's end.
    void Launch(const std::string& commandLine) {
        game = std::make_unique<ScriptedGame>(commandLine);
    }
    void Play(const std::string& script);
    void Close();

    // A game on the field map with the sound option as given, on the title
    // (the clock begun at 5000); then F1 deals a board and ArrangedField
    // takes its place, as if its first opening had been made; then every
    // safe cell is opened, which wins, and a press brings the name entry.
    void StartOnTitle(bool soundOn = true);
    void StartOnField(bool soundOn = true);
    void EnterNameEntry(bool soundOn = true);

    // Moves the menu cursor onto an item, or the centre cursor onto a cell, in a pass.
    void SelectMenuItem(int item);
    void AimAt(int x, int y);
    // Aims at a cell and clicks it with one button, one pass per message.
    void ClickCell(int x, int y, const std::string& button) {
        AimAt(x, y);
        Play("down " + button + "\npass\nup " + button + "\npass");
    }
    void OpenEverySafeCell();

    // The "sound ..." lines logged since the last call.
    std::vector<std::string> NewSounds();

    std::unique_ptr<ScriptedGame> game;

  private:
    size_t soundsSeen_ = 0;
};
