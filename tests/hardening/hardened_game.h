// SPDX-License-Identifier: MIT
// Whole games started with awkward input: the real game on the headless
// machine, with a folder of the test's own for its files.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tests/support/played_game.h"

class HardenedGameTest : public PlayedGameTest {
  protected:
    // The test's own folder is made writable again after the test.
    void TearDown() override;

    // A 6 x 5 map with 3 mines.
    std::string WriteSmallMap(const std::string& name = "small.tvm");

    // Starts the game with this argument text; the open dialog is answered
    // by `dialogAnswers` in order, then cancelled.
    void Start(const std::string& commandLine, const std::vector<std::string>& dialogAnswers = {});
    // Starts the game on the map, switches the three options off with their
    // keys (F2, F3, F4), and closes it normally.
    void PlayAndClose(const std::string& map);
    // The notices the player saw, as "CAPTION | TEXT" (a line break in the
    // text shows as \n).
    std::vector<std::string> Notices() const;
};
