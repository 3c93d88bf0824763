// The maps the game ships: every one is listed in the catalogue, is exactly
// what torvex-map makes from its picture, loads in the game, plays well on
// paper, and survives its first moves in a real game on the headless machine.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/main_loop.h"
#include "board/board.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"
#include "tools/map/commands.h"
#include "tools/map/field.h"
#include "tools/map/map_check.h"
#include "tools/map/regions.h"
#include "tools/runner/scripted_game.h"

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
    std::ifstream in(MapsFolder + "/catalogue.txt");
    std::string line;
    while (std::getline(in, line)) {
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

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
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

TEST_F(ShippedMaps, EachIsExactlyWhatTheToolMakesFromItsPicture) {
    for (const CatalogueEntry& entry : catalogue) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = RunMapTool({"make", "--name", entry.name, "--mines", entry.mines,
                                       MapsFolder + "/sources/" + entry.picture},
                                      out, err);
        EXPECT_EQ(status, 0) << entry.file << ": " << err.str();
        EXPECT_EQ(err.str(), "") << entry.file;  // no warning for any shipped map
        EXPECT_EQ(out.str(), Slurp(MapsFolder + "/" + entry.file))
            << entry.file << " differs from what its picture makes; run "
            << "tools/map/make-shipped-maps";
    }
}

TEST_F(ShippedMaps, EachLoadsInTheGameAndPlaysWellOnPaper) {
    for (const CatalogueEntry& entry : catalogue) {
        const MapReadReport report = ReadMapFromPath((MapsFolder + "/" + entry.file).c_str());
        ASSERT_TRUE(report.playable) << entry.file << ": " << report.problem;
        EXPECT_FALSE(report.runsEndedEarly) << entry.file;
        EXPECT_FALSE(report.runsPastGrid) << entry.file;
        EXPECT_EQ(MapName, entry.name);
        EXPECT_EQ(std::to_string(MineCount), entry.mines);
        const Field field = FieldFromBoard();
        EXPECT_TRUE(MapWarnings(field, MineCount, report).empty()) << entry.file;
        // Densities that play well. The Corners example of the map format
        // is too small for a percentage to mean much: 2 mines in 8 cells.
        if (PlayableCount >= 50) {
            const double density = 100.0 * MineCount / PlayableCount;
            EXPECT_GE(density, 12.0) << entry.file;
            EXPECT_LE(density, 21.0) << entry.file;
        }
        const size_t regions = FindRegions(field).size();
        EXPECT_EQ(regions, entry.file == "islands.tvm" ? 4u : 1u) << entry.file;
    }
}

TEST_F(ShippedMaps, TheClassicsAndTheExampleHaveTheirKnownSizes) {
    struct Known {
        const char* file;
        int32_t width, height, mines, playable;
    };
    const Known known[] = {{"classic-9x9.tvm", 9, 9, 10, 81},
                           {"classic-16x16.tvm", 16, 16, 40, 256},
                           {"classic-30x16.tvm", 30, 16, 99, 480},
                           {"corners.tvm", 4, 3, 2, 8},
                           {"marathon-300x300.tvm", 300, 300, -1, -1}};
    for (const Known& map : known) {
        ASSERT_TRUE(ReadMapFromPath((MapsFolder + "/" + map.file).c_str()).playable) << map.file;
        EXPECT_EQ(BoardWidth, map.width) << map.file;
        EXPECT_EQ(BoardHeight, map.height) << map.file;
        if (map.mines >= 0) {
            EXPECT_EQ(MineCount, map.mines) << map.file;
        }
        if (map.playable >= 0) {
            EXPECT_EQ(PlayableCount, map.playable) << map.file;
        }
    }
    ASSERT_TRUE(ReadMapFromPath((MapsFolder + "/corners.tvm").c_str()).playable);
    EXPECT_EQ(FieldFromBoard().Rows(), (std::vector<std::string>{".##.", "####", ".##."}));
}

// A real game on each map, played through the window like a player: start
// it, open a cell near the middle, then keep making the moves that the open
// numbers prove right (open the rest around a number whose flags are all
// placed, flag the cells a number needs). Where the numbers prove nothing, a
// player would have to guess; the test makes the lucky guess instead, so the
// game goes on. No move may lose, the first opening included, and the small
// maps are played to the win.
class ShippedMapsPlayed : public ShippedMaps {
  protected:
    void Play(const std::string& script) {
        std::string error;
        ASSERT_TRUE(game->RunScript(script, &error)) << error;
    }

    void Click(int32_t x, int32_t y, const char* button) {
        const int32_t dx = CellPixels * x + CellPixels / 2 - ViewX;
        const int32_t dy = CellPixels * y + CellPixels / 2 - ViewY;
        Play("move " + std::to_string(dx) + " " + std::to_string(dy) + "\npass");
        ASSERT_EQ(ViewX / CellPixels, x);
        ASSERT_EQ(ViewY / CellPixels, y);
        Play(std::string("down ") + button + "\npass\nup " + button + "\npass");
    }

    // The playable cell nearest the middle, where the view starts.
    void MiddleCell(int32_t* x, int32_t* y) {
        int64_t best = -1;
        for (int32_t cx = 0; cx < BoardWidth; ++cx) {
            for (int32_t cy = 0; cy < BoardHeight; ++cy) {
                if (CoverState[CellIndex(cx, cy)] == Void)
                    continue;
                const int64_t ddx = cx - BoardWidth / 2;
                const int64_t ddy = cy - BoardHeight / 2;
                if (best < 0 || ddx * ddx + ddy * ddy < best) {
                    best = ddx * ddx + ddy * ddy;
                    *x = cx;
                    *y = cy;
                }
            }
        }
    }

    // A move the open numbers prove right: true with the cell and button.
    bool ProvenMove(int32_t* x, int32_t* y, const char** button) {
        for (int32_t cx = 0; cx < BoardWidth; ++cx) {
            for (int32_t cy = 0; cy < BoardHeight; ++cy) {
                const int32_t i = CellIndex(cx, cy);
                if (CoverState[i] != Open || CellValue[i] == 0)
                    continue;
                int32_t flags = 0;
                std::vector<std::pair<int32_t, int32_t>> hidden;
                for (int32_t dx = -1; dx <= 1; ++dx) {
                    for (int32_t dy = -1; dy <= 1; ++dy) {
                        if (!InsideBoard(cx + dx, cy + dy))
                            continue;
                        const int8_t cover = CoverState[CellIndex(cx + dx, cy + dy)];
                        if (cover == Flagged)
                            ++flags;
                        if (cover == Hidden)
                            hidden.emplace_back(cx + dx, cy + dy);
                    }
                }
                if (hidden.empty())
                    continue;
                if (flags == CellValue[i]) {
                    *button = "left";
                } else if (flags + static_cast<int32_t>(hidden.size()) == CellValue[i]) {
                    *button = "right";
                } else {
                    continue;
                }
                *x = hidden[0].first;
                *y = hidden[0].second;
                return true;
            }
        }
        return false;
    }

    // A Hidden cell without a mine, one that opens an area if there is one.
    void LuckyGuess(int32_t* x, int32_t* y) {
        bool found = false;
        for (int32_t cx = 0; cx < BoardWidth; ++cx) {
            for (int32_t cy = 0; cy < BoardHeight; ++cy) {
                const int32_t i = CellIndex(cx, cy);
                if (CoverState[i] != Hidden || CellValue[i] == Mine)
                    continue;
                if (!found || CellValue[i] == 0) {
                    *x = cx;
                    *y = cy;
                    if (CellValue[i] == 0)
                        return;
                    found = true;
                }
            }
        }
        ASSERT_TRUE(found);
    }

    std::unique_ptr<ScriptedGame> game;
};

TEST_F(ShippedMapsPlayed, EachSurvivesItsFirstMoves) {
    const std::string folder = TemporaryFolder() + "/played";
    std::filesystem::create_directories(folder);
    for (const CatalogueEntry& entry : catalogue) {
        SCOPED_TRACE(entry.file);
        HeadlessReset();
        ResetGame();
        // A copy, so the game's settings file lands beside it and not in maps/.
        const std::string copy = folder + "/" + entry.file;
        std::filesystem::copy_file(MapsFolder + "/" + entry.file, copy,
                                   std::filesystem::copy_options::overwrite_existing);
        game = std::make_unique<ScriptedGame>(copy);
        Play("clock 0\npass\nkey F1\npass");
        ASSERT_EQ(GameState, Ready);
        ASSERT_STREQ(MapName, entry.name.c_str());

        int32_t x = 0;
        int32_t y = 0;
        MiddleCell(&x, &y);
        Click(x, y, "left");
        ASSERT_EQ(CoverState[CellIndex(x, y)], Open);
        ASSERT_NE(GameState, Lost);
        const int32_t openedFirst = PlayableCount - CoveredCount;
        EXPECT_GE(openedFirst, 1);

        const bool toTheEnd = PlayableCount <= 100;
        const char* button = nullptr;
        for (int moves = 0;
             GameState == Playing && CoveredCount > MineCount && (toTheEnd || moves < 40);
             ++moves) {
            if (!ProvenMove(&x, &y, &button)) {
                LuckyGuess(&x, &y);
                button = "left";
            }
            const int8_t before = CoverState[CellIndex(x, y)];
            Click(x, y, button);
            ASSERT_NE(CoverState[CellIndex(x, y)], before) << "the move did nothing";
            ASSERT_NE(GameState, Lost) << "the move at (" << x << ", " << y << ") lost";
        }
        if (toTheEnd) {
            Play("pass");  // the next clock step completes the win
            EXPECT_EQ(GameState, Won);
            EXPECT_EQ(CoveredCount, MineCount);
        } else {
            EXPECT_EQ(GameState, Playing);
            EXPECT_GT(PlayableCount - CoveredCount, openedFirst);
        }
        std::string error;
        ASSERT_TRUE(game->Finish(&error)) << error;
        EXPECT_EQ(game->ExitCode(), 1);
    }
}

}  // namespace
