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
// between two mines, (3,0) a 1, and (2,2) a 0 whose flood opens every safe
// cell but (1,0).
extern const std::vector<std::string> ArrangedField;

// The whole content of a file, or "" when there is none.
std::string ReadFile(const std::string& path);

class PlayedGameTest : public GameTest {
  protected:
    void SetUp() override;
    // A fresh machine and game, as a new process has them; files stay.
    void Restart() { SetUp(); }

    // A folder of this test's own, and a map file written into it.
    std::string Folder();
    std::string WriteMap(const std::string& fileName, const std::string& text);
    std::string WriteFieldMap() { return WriteMap("field.tvm", "Field,6,5,4,30,"); }

    // A game with this argument text, driven by runner commands; a command
    // that fails fails the test. Close sends the close request and runs
    // passes until the game has ended.
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

    // Puts the title's menu cursor on an item (0 to 5), or the centre cursor
    // on the middle of a cell, and runs a pass.
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
