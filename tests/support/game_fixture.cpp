// SPDX-License-Identifier: MIT
#include "tests/support/game_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/main_loop.h"
#include "board/board.h"
#include "platform/headless/headless.h"

void GameTest::SetUp() {
    HeadlessReset();
    ResetGame();
    // Whatever a game keeps in the player's own folder stays among the
    // test's files, never in the home of whoever runs the tests.
    setenv("XDG_DATA_HOME", (TemporaryFolder() + "/player data").c_str(), 1);
}

void SetBoardFromArt(const std::vector<std::string>& rows) {
    BoardHeight = static_cast<int32_t>(rows.size());
    BoardWidth = rows.empty() ? 0 : static_cast<int32_t>(rows[0].size());
    PlayableCount = 0;
    int32_t mines = 0;
    for (int32_t y = 0; y < BoardHeight; ++y) {
        for (int32_t x = 0; x < BoardWidth; ++x) {
            const char c = rows[y][x];
            const int32_t i = CellIndex(x, y);
            CoverState[i] = c == '.' ? Void : Hidden;
            CellValue[i] = c == '*' ? Mine : 0;
            if (c != '.')
                ++PlayableCount;
            if (c == '*')
                ++mines;
        }
    }
    if (mines == 0)
        return;
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            if (CellValue[i] == Mine || CoverState[i] == Void)
                continue;
            int32_t count = 0;
            for (int32_t dx = -1; dx <= 1; ++dx) {
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    if (InsideBoard(x + dx, y + dy) &&
                        CellValue[CellIndex(x + dx, y + dy)] == Mine) {
                        ++count;
                    }
                }
            }
            CellValue[i] = static_cast<int8_t>(count);
        }
    }
    MineCount = mines;
    CoveredCount = PlayableCount;
    MinesLeft = mines;
}

std::vector<std::string> CoverArt() {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < BoardHeight; ++y) {
        std::string row;
        for (int32_t x = 0; x < BoardWidth; ++x) {
            switch (CoverState[CellIndex(x, y)]) {
                case Hidden:
                    row += 'H';
                    break;
                case Open:
                    row += 'O';
                    break;
                case Flagged:
                    row += 'F';
                    break;
                case Questioned:
                    row += '?';
                    break;
                default:
                    row += ' ';
                    break;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

std::string TemporaryFolder() {
    static std::string folder;
    if (folder.empty()) {
        char pattern[] = "/tmp/torvex-test-XXXXXX";
        const char* made = mkdtemp(pattern);
        folder = made != nullptr ? made : "/tmp";
        static struct Remover {
            ~Remover() {
                std::error_code ignored;
                if (folder != "/tmp")
                    std::filesystem::remove_all(folder, ignored);
            }
        } remover;
    }
    return folder;
}

std::string TestFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/')
            c = '_';  // parameterised tests
    }
    const std::string folder = TemporaryFolder() + "/" + name;
    std::filesystem::create_directories(folder);
    return folder;
}

std::string WriteTestFile(const std::string& name, const std::string& bytes) {
    const std::string path = TestFolder() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}
