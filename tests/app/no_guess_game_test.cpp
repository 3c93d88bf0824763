// SPDX-License-Identifier: MIT
// Whole games with --no-guess on the headless machine: from the first click
// on the shipped shaped maps the solver clears the field, the same start
// and clicks deal the same game (in this process and in the torvex-headless
// program), and the 300 x 300 marathon is played to its end by logic alone,
// through the real moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "board/board.h"
#include "board/field_grid.h"
#include "board/logic_solver.h"
#include "board/moves.h"
#include "board/no_guess_layout.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"

namespace {

const std::string MapsFolder = std::string(TORVEX_SOURCE_DIR) + "/maps";

class NoGuessGameTest : public PlayedGameTest {
  protected:
    // A copy of a shipped map in the test's folder, so its settings file
    // lands there.
    std::string CopyOfMap(const std::string& name) {
        const std::string copy = TestFolder() + "/" + name;
        std::filesystem::copy_file(MapsFolder + "/" + name, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        return copy;
    }

    // Starts the game as torvex-headless does with these words after its script.
    void LaunchWords(const std::vector<std::string>& words) {
        const CommandLine commandLine = ParseCommandLine(words);
        ASSERT_EQ(commandLine.action, CommandLineAction::Play);
        ApplyCommandLine(commandLine);
        Launch(commandLine.mapText);
    }

    // A new game from start time `clock`, its first click on the playable
    // cell nearest the view's start, through the runner.
    void DealAndOpenFirst(uint32_t clock, int32_t* firstX, int32_t* firstY) {
        Play("clock " + std::to_string(clock) + "\npass\nkey F1\npass");
        ASSERT_EQ(GameState, Ready);
        int64_t nearest = -1;
        const int32_t startX = ViewX / CellPixels;
        const int32_t startY = ViewY / CellPixels;
        for (int32_t x = 0; x < BoardWidth; ++x) {
            for (int32_t y = 0; y < BoardHeight; ++y) {
                const int64_t distance =
                    int64_t{x - startX} * (x - startX) + int64_t{y - startY} * (y - startY);
                if (CoverState[CellIndex(x, y)] != Void && (nearest < 0 || distance < nearest)) {
                    nearest = distance;
                    *firstX = x;
                    *firstY = y;
                }
            }
        }
        ClickCell(*firstX, *firstY, "left");
        ASSERT_EQ(GameState, Playing);
    }

    std::vector<int8_t> Layout() const {
        return std::vector<int8_t>(CellValue, CellValue + BoardCells);
    }
};

// The regions of the field (cells touching at a side or a corner belong
// together), and how many of them have an open cell.
std::vector<int32_t> RegionOfEachCell(int32_t* count) {
    std::vector<int32_t> region(BoardCells, -1);
    *count = 0;
    for (int32_t cell = 0; cell < BoardCells; ++cell) {
        if (!InsideBoard(cell / MaxBoardSide, cell % MaxBoardSide) || CoverState[cell] == Void ||
            region[cell] >= 0) {
            continue;
        }
        std::vector<int32_t> stack = {cell};
        region[cell] = *count;
        while (!stack.empty()) {
            const int32_t at = stack.back();
            stack.pop_back();
            for (int32_t dx = -1; dx <= 1; ++dx) {
                for (int32_t dy = -1; dy <= 1; ++dy) {
                    const int32_t x = at / MaxBoardSide + dx;
                    const int32_t y = at % MaxBoardSide + dy;
                    if (InsideBoard(x, y) && CoverState[CellIndex(x, y)] != Void &&
                        region[CellIndex(x, y)] < 0) {
                        region[CellIndex(x, y)] = *count;
                        stack.push_back(CellIndex(x, y));
                    }
                }
            }
        }
        ++*count;
    }
    return region;
}

int32_t Regions() {
    int32_t count = 0;
    RegionOfEachCell(&count);
    return count;
}

int32_t OpenedRegions() {
    int32_t count = 0;
    const std::vector<int32_t> region = RegionOfEachCell(&count);
    std::vector<bool> opened(static_cast<size_t>(count), false);
    for (int32_t cell = 0; cell < BoardCells; ++cell) {
        if (region[cell] >= 0 && CoverState[cell] == Open)
            opened[region[cell]] = true;
    }
    return static_cast<int32_t>(std::count(opened.begin(), opened.end(), true));
}

TEST_F(NoGuessGameTest, OnShapedMapsAndIslandsTheSolverClearsTheFieldFromTheFirstClick) {
    for (const char* map :
         {"islands.tvm", "spiral.tvm", "heart.tvm", "torvex.tvm", "corners.tvm"}) {
        for (const uint32_t clock : {0u, 777u, 123456u}) {
            SCOPED_TRACE(testing::Message() << map << ", clock " << clock);
            Restart();
            ASSERT_NO_FATAL_FAILURE(LaunchWords({"--no-guess", CopyOfMap(map)}));
            int32_t x = 0;
            int32_t y = 0;
            ASSERT_NO_FATAL_FAILURE(DealAndOpenFirst(clock, &x, &y));
            EXPECT_EQ(CoverState[CellIndex(x, y)], Open);
            EXPECT_EQ(OpenedRegions(), Regions()) << "the first click opened every region";
            EXPECT_TRUE(SolverClearsBoard());
            Close();
        }
    }
}

TEST_F(NoGuessGameTest, TheSameStartAndClicksDealTheSameGame) {
    ASSERT_NO_FATAL_FAILURE(LaunchWords({"--no-guess", CopyOfMap("classic-30x16.tvm")}));
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_NO_FATAL_FAILURE(DealAndOpenFirst(4321, &x, &y));
    const std::vector<int8_t> first = Layout();
    Close();

    Restart();
    ASSERT_NO_FATAL_FAILURE(LaunchWords({"--no-guess", CopyOfMap("classic-30x16.tvm")}));
    ASSERT_NO_FATAL_FAILURE(DealAndOpenFirst(4321, &x, &y));
    EXPECT_EQ(Layout(), first);
    Close();

    Restart();
    ASSERT_NO_FATAL_FAILURE(LaunchWords({"--no-guess", CopyOfMap("classic-30x16.tvm")}));
    ASSERT_NO_FATAL_FAILURE(DealAndOpenFirst(4322, &x, &y));
    EXPECT_NE(Layout(), first) << "another start, another game";
    Close();
}

// Plays a game from its first opening to the end as a player reasoning
// alone would: the solver is shown only the open cells and their numbers
// and the mine count, and every cell it finds safe is opened by the real
// move, aimed at it. Returns the cells it opened one by one.
std::vector<int32_t> PlayByLogic() {
    FieldGrid grid(BoardWidth, BoardHeight);
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y)
            grid.playable[grid.Index(x, y)] = CoverState[CellIndex(x, y)] != Void ? 1 : 0;
    }
    LogicSolver solver;
    solver.Begin(grid, MineCount);
    // What an opening showed: the cell, and through its empty cells all that
    // its flood opened.
    std::vector<uint8_t> shown(static_cast<size_t>(grid.Size()), 0);
    const auto show = [&](int32_t x, int32_t y) {
        std::vector<int32_t> stack = {grid.Index(x, y)};
        while (!stack.empty()) {
            const int32_t at = stack.back();
            stack.pop_back();
            const int32_t cell = CellIndex(grid.XOf(at), grid.YOf(at));
            if (shown[at] != 0 || grid.playable[at] == 0 || CoverState[cell] != Open)
                continue;
            shown[at] = 1;
            solver.Open(at, CellValue[cell]);
            if (CellValue[cell] == 0) {
                for (const int32_t offset : grid.Neighbours())
                    stack.push_back(at + offset);
            }
        }
    };
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y)
            show(x, y);
    }

    std::vector<int32_t> opened;
    for (;;) {
        solver.Run();
        const std::vector<int32_t> safe = solver.FoundSafe();
        solver.FoundSafe().clear();
        if (safe.empty())
            break;
        for (const int32_t at : safe) {
            const int32_t x = grid.XOf(at);
            const int32_t y = grid.YOf(at);
            if (CoverState[CellIndex(x, y)] == Hidden) {
                ViewX = x * CellPixels + CellPixels / 2;
                ViewY = y * CellPixels + CellPixels / 2;
                OpenAtView();
                EXPECT_NE(GameState, Lost) << "opened a mine at (" << x << ", " << y << ")";
                if (GameState == Lost)
                    return opened;
                opened.push_back(CellIndex(x, y));
            }
            show(x, y);
        }
    }
    EXPECT_EQ(solver.UnknownCount(), 0) << "the solver had to stop short of the end";
    return opened;
}

TEST_F(NoGuessGameTest, TheMarathonIsPlayedToTheEndByLogicAlone) {
    ASSERT_NO_FATAL_FAILURE(LaunchWords({"--no-guess", CopyOfMap("marathon-300x300.tvm")}));
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_NO_FATAL_FAILURE(DealAndOpenFirst(2026, &x, &y));
    PlayByLogic();
    ASSERT_EQ(CoveredCount, MineCount) << "every safe cell is open";
    Play("pass");
    EXPECT_EQ(GameState, Won);
    Close();
}

// The runner program deals the same games as the game does here: a script
// that replays the clicks a player reasoning alone made wins the game in
// torvex-headless too.
TEST_F(NoGuessGameTest, TheRunnerProgramReplaysAGameWonByLogic) {
    const std::string map = CopyOfMap("islands.tvm");
    ASSERT_NO_FATAL_FAILURE(LaunchWords({"--no-guess", map}));
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_NO_FATAL_FAILURE(DealAndOpenFirst(99, &x, &y));
    const std::vector<int32_t> opened = PlayByLogic();
    ASSERT_EQ(CoveredCount, MineCount);
    Close();

    // The same start and first click, then every click of the game above,
    // each aimed by moving the view from the last cell.
    std::ofstream script(TestFolder() + "/replay.txt");
    script << "clock 99\npass\nkey F1\npass\n";
    int32_t viewX = BoardWidth / 2 * CellPixels;
    int32_t viewY = BoardHeight / 2 * CellPixels;
    const auto aimAndClick = [&](int32_t cx, int32_t cy) {
        const int32_t toX = cx * CellPixels + CellPixels / 2;
        const int32_t toY = cy * CellPixels + CellPixels / 2;
        script << "move " << toX - viewX << " " << toY - viewY << "\nclick left\npass\n";
        viewX = toX;
        viewY = toY;
    };
    aimAndClick(x, y);
    for (const int32_t cell : opened)
        aimAndClick(cell / MaxBoardSide, cell % MaxBoardSide);
    script << "pass\ndump state.json\n";
    script.close();

    const std::string command = "cd '" + TestFolder() + "' && '" + TORVEX_HEADLESS_PROGRAM +
                                "' replay.txt --no-guess '" + map + "' >log.txt";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string state = ReadWholeFile(TestFolder() + "/state.json");
    EXPECT_NE(state.find("\"GameState\": 4,"), std::string::npos) << "won";
    EXPECT_EQ(ReadWholeFile(TestFolder() + "/log.txt").find("sound bang once"), std::string::npos)
        << "no mine went off";
}

}  // namespace
