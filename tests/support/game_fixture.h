// SPDX-License-Identifier: MIT
// A fresh game for every test: the headless machine reset, every global of
// the game back to its value at process start.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
};

// Puts a map into the Board from text art, one string per row: '#' a
// playable cell, '*' a playable cell holding a mine, '.' a Void cell. Sets
// BoardWidth, BoardHeight, PlayableCount, CoverState (Hidden or Void), and,
// when the art shows mines, MineCount, CellValue with the neighbour counts,
// CoveredCount and MinesLeft, as a laid-out game would have them.
void SetBoardFromArt(const std::vector<std::string>& rows);

// The Board's CoverState as text art, one string per row:
// 'H' Hidden, 'O' Open, 'F' Flagged, '?' Questioned, ' ' Void.
std::vector<std::string> CoverArt();

// A temporary folder for files, removed when the test program ends.
std::string TemporaryFolder();

// A folder of the running test's own inside TemporaryFolder().
std::string TestFolder();

// Writes `bytes` to `name` inside TestFolder(); returns the path.
std::string WriteTestFile(const std::string& name, const std::string& bytes);

// The whole contents of a file, or "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& path);
