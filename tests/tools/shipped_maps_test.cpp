// SPDX-License-Identifier: MIT
// The maps the game ships: every one is listed in the catalogue, is exactly
// what torvex-map makes from its picture, loads in the game, plays well on
// paper, and survives its first moves in a real game on the headless machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "board/board.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "tests/support/game_fixture.h"
#include "tests/support/played_game.h"
#include "tests/tools/tool_test_support.h"
#include "tools/map/commands.h"
#include "tools/map/field.h"
#include "tools/map/regions.h"

namespace {

const std::string MapsFolder = std::string(TORVEX_SOURCE_DIR) + "/maps";

struct CatalogueEntry {
    std::string file;
    std::string picture;
    std::string mines;
    std::string name;
};

std::vector<CatalogueEntry> ReadCatalogue() {
    std::vector<CatalogueEntry> entries;
    std::istringstream in(ReadWholeFile(MapsFolder + "/catalogue.txt"));
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        CatalogueEntry entry;
        fields >> entry.file >> entry.picture >> entry.mines;
        std::getline(fields >> std::ws, entry.name);
        entries.push_back(entry);
    }
    return entries;
}

class ShippedMaps : public GameTest {
  protected:
    std::vector<CatalogueEntry> catalogue = ReadCatalogue();
};

TEST_F(ShippedMaps, TheCatalogueListsEveryMapFileAndNoOther) {
    std::set<std::string> listed;
    for (const CatalogueEntry& entry : catalogue)
        listed.insert(entry.file);
    std::set<std::string> present;
    for (const auto& item : std::filesystem::directory_iterator(MapsFolder)) {
        if (item.path().extension() == ".tvm")
            present.insert(item.path().filename().string());
    }
    EXPECT_EQ(listed, present);
    EXPECT_GE(catalogue.size(), 12u);
    EXPECT_EQ(listed.count("classic-16x16.tvm"), 1u);  // the map the README starts
}

TEST_F(ShippedMaps, EachIsWhatTheToolMakesFromItsPictureAndLoadsPlayingWell) {
    // Width, height and mines of the maps players know by their size.
    const std::map<std::string, std::vector<int32_t>> known = {
        {"classic-9x9.tvm", {9, 9, 10}},
        {"classic-16x16.tvm", {16, 16, 40}},
        {"classic-30x16.tvm", {30, 16, 99}},
        {"marathon-300x300.tvm", {300, 300, 12000}}};
    for (const CatalogueEntry& entry : catalogue) {
        SCOPED_TRACE(entry.file);
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunMapTool({"make", "--name", entry.name, "--mines", entry.mines,
                                       MapsFolder + "/sources/" + entry.picture},
                                      out, err);
        EXPECT_EQ(status, 0);
        EXPECT_EQ(err.str(), "") << "no warning for any shipped map";
        EXPECT_EQ(out.str(), ReadWholeFile(MapsFolder + "/" + entry.file))
            << "the map differs from what its picture makes; run tools/map/make-shipped-maps";

        const MapReadReport report = ReadMapFromPath((MapsFolder + "/" + entry.file).c_str());
        ASSERT_TRUE(report.playable) << report.problem;
        EXPECT_FALSE(report.runsEndedEarly || report.runsPastGrid);
        EXPECT_EQ(MapName, entry.name);
        EXPECT_EQ(std::to_string(MineCount), entry.mines);
        // Densities that play well. The Corners example of the map format
        // is too small for a percentage to mean much: 2 mines in 8 cells.
        if (PlayableCount >= 50) {
            EXPECT_GE(100.0 * MineCount / PlayableCount, 12.0);
            EXPECT_LE(100.0 * MineCount / PlayableCount, 21.0);
        }
        const Field field = FieldFromBoard();
        EXPECT_EQ(FindRegions(field).size(), entry.file == "islands.tvm" ? 4u : 1u);
        if (known.count(entry.file) != 0) {
            const std::vector<int32_t>& size = known.at(entry.file);
            EXPECT_EQ((std::vector<int32_t>{BoardWidth, BoardHeight, MineCount}), size);
            if (entry.file.rfind("classic", 0) == 0) {
                EXPECT_EQ(PlayableCount, BoardWidth * BoardHeight) << "no Void in a classic";
            }
        }
        if (entry.file == "corners.tvm") {
            EXPECT_EQ(field.Rows(), (Rows{".##.", "####", ".##."}));
        }
    }
}

// A real game on each map, played through the window like a player: start
// it, open a cell that holds a mine (the first opening is always safe),
// then keep opening cells; the test knows where the mines are and makes
// the lucky guesses, preferring cells that open an area. No move may lose,
// and the small maps are played to the win.
class ShippedMapsPlayed : public PlayedGameTest {
  protected:
    // Moves the view onto cell (x, y), then opens it.
    void OpenCell(int32_t x, int32_t y) {
        ClickCell(x, y, "left");
        ASSERT_EQ(CoverState[CellIndex(x, y)], Open) << "(" << x << ", " << y << ")";
        ASSERT_NE(GameState, Lost) << "the move at (" << x << ", " << y << ") lost";
    }

    // A Hidden cell that holds a mine, or (`mine` false) one without, as
    // one that opens an area if there is one.
    bool FindHidden(bool mine, int32_t* x, int32_t* y) {
        bool found = false;
        for (int32_t cx = 0; cx < BoardWidth; ++cx) {
            for (int32_t cy = 0; cy < BoardHeight; ++cy) {
                const int32_t i = CellIndex(cx, cy);
                if (CoverState[i] != Hidden || (CellValue[i] == Mine) != mine)
                    continue;
                if (!found || CellValue[i] == 0) {
                    *x = cx;
                    *y = cy;
                    found = true;
                    if (mine || CellValue[i] == 0)
                        return true;
                }
            }
        }
        return found;
    }

    std::vector<CatalogueEntry> catalogue = ReadCatalogue();
};

TEST_F(ShippedMapsPlayed, EachSurvivesItsFirstMoves) {
    const std::string folder = TestFolder();
    for (const CatalogueEntry& entry : catalogue) {
        SCOPED_TRACE(entry.file);
        Restart();
        // A copy, so the game's settings file lands beside it and not in maps/.
        const std::string copy = folder + "/" + entry.file;
        std::filesystem::copy_file(MapsFolder + "/" + entry.file, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        Launch(copy);
        Play("clock 0\npass\nkey F1\npass");
        ASSERT_EQ(GameState, Ready);
        ASSERT_STREQ(MapName, entry.name.c_str());

        int32_t x = 0;
        int32_t y = 0;
        ASSERT_TRUE(FindHidden(true, &x, &y));
        OpenCell(x, y);
        const int32_t openedFirst = PlayableCount - CoveredCount;
        const bool toTheEnd = PlayableCount <= 100;
        for (int moves = 0;
             GameState == Playing && CoveredCount > MineCount && (toTheEnd || moves < 40);
             ++moves) {
            ASSERT_TRUE(FindHidden(false, &x, &y));
            OpenCell(x, y);
        }
        if (toTheEnd) {
            Play("pass");  // the next clock step completes the win
            EXPECT_EQ(GameState, Won);
            EXPECT_EQ(CoveredCount, MineCount);
        } else {
            EXPECT_EQ(GameState, Playing);
            EXPECT_GT(PlayableCount - CoveredCount, openedFirst);
        }
        Close();
        EXPECT_EQ(game->ExitCode(), 1);
    }
}

}  // namespace
