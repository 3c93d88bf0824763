// SPDX-License-Identifier: MIT
// Fields as the map tool sees them: written in the map file's tidy form so
// that the game's own reader gives back exactly the field drawn, split into
// regions, and checked for what would play badly.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "files/map_file.h"
#include "tests/support/game_fixture.h"
#include "tests/tools/tool_test_support.h"
#include "tools/map/map_check.h"
#include "tools/map/map_text.h"
#include "tools/map/regions.h"

namespace {

TEST(MapText, StartsARowWithAnEmptyRunWhenItContinuesTheKind) {
    // Row 2 begins playable right after row 1 ended playable; row 3 begins
    // Void after a Void end.
    EXPECT_EQ(MapText("R", FieldOf({"###", "###"}), 1), "R,3,2,1,\n3/\n0,3/\n");
    EXPECT_EQ(MapText("V", FieldOf({"#..", "..#"}), 0), "V,3,2,0,\n1,2/\n0,2,1/\n");
    EXPECT_EQ(MapText("S", FieldOf({"#"}), 0), "S,1,1,0,\n1/\n");
}

class MapTextRoundTrip : public GameTest {};

TEST_F(MapTextRoundTrip, TheGameReadsBackEveryFieldExactly) {
    // Random fields of every shape and share of Void, the largest included.
    std::mt19937 random(2026);
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {5, 9}, {31, 17}, {300, 300}};
    for (const auto& size : sizes) {
        for (const int voidPercent : {0, 10, 50, 90}) {
            SCOPED_TRACE(std::to_string(size[0]) + " x " + std::to_string(size[1]) + ", " +
                         std::to_string(voidPercent) + " % Void");
            Field field = EmptyField(size[0], size[1]);
            for (uint8_t& cell : field.cells)
                cell = static_cast<int>(random() % 100) >= voidPercent;
            field.cells[field.cells.size() / 2] = 1;  // at least one playable cell
            const int32_t mines = field.PlayableCount() - 1;
            std::string text = MapText("Random", field, mines);
            FILE* file = fmemopen(text.data(), text.size(), "r");
            const MapReadReport report = ReadMap(file);
            std::fclose(file);
            ASSERT_TRUE(report.playable) << report.problem;
            EXPECT_FALSE(report.runsEndedEarly || report.runsPastGrid);
            EXPECT_EQ(FieldFromBoard(), field);
            EXPECT_EQ(PlayableCount, field.PlayableCount());
            EXPECT_STREQ(MapName, "Random");
            EXPECT_EQ(MineCount, mines);
        }
    }
}

TEST(Regions, CountCellsTouchingAtACornerAsOne) {
    const std::pair<Rows, size_t> fields[] = {
        {{"#.", ".#"}, 1},
        {{".#", "#."}, 1},
        {{"#.#.#", ".#.#.", "#.#.#"}, 1},  // a chequerboard
        {{"#..#", "....", "#..#"}, 4},
        {{"##.##", "##.##"}, 2},
        {{"#"}, 1},
        {{"."}, 0},
        {{"#####", "#...#", "#.#.#", "#...#", "#####"}, 2},  // ring and island
        {{"###.###.###", "#.#.#.#.#.#", "###.###.###"}, 3},
        // A spiral is one long region, however it winds.
        {{"#######", "......#", "#####.#", "#...#.#", "#.###.#", "#.....#", "#######"}, 1},
    };
    for (const auto& [rows, count] : fields)
        EXPECT_EQ(FindRegions(FieldOf(rows)).size(), count) << ::testing::PrintToString(rows);
}

TEST(Regions, ReportEachRegionsSizeAndFirstCell) {
    std::vector<std::vector<int32_t>> found;
    for (const Region& region : FindRegions(FieldOf({"..##", "#...", "#..#"})))
        found.push_back({region.cells, region.firstX, region.firstY});
    EXPECT_EQ(found, (std::vector<std::vector<int32_t>>{{2, 2, 0}, {2, 0, 1}, {1, 3, 2}}));
}

TEST(Warnings, ForDensityOutsideWhatPlaysWell) {
    const Field field = FieldOf({"##########", "##########", "##########", "##########"});
    const std::pair<int32_t, std::string> cases[] = {
        {6, ""},   // 15 %
        {10, ""},  // 25 %, the limit
        {11, "mines are so dense (27.5 %)"},
        {3, "mines are so sparse (7.5 %)"},
    };
    for (const auto& [mines, warning] : cases) {
        const std::vector<std::string> warnings = MapWarnings(field, mines, MapReadReport{});
        ASSERT_EQ(warnings.size(), warning.empty() ? 0u : 1u) << mines << " mines";
        if (!warning.empty()) {
            EXPECT_EQ(warnings[0].rfind(warning, 0), 0u) << warnings[0];
        }
    }
}

TEST(Warnings, ForRegionsTooSmallToHoldASafeCell) {
    // The chance that a region holds only mines.
    EXPECT_DOUBLE_EQ(AllMinesChance(2, 10, 100), 10.0 / 100 * 9 / 99);
    EXPECT_DOUBLE_EQ(AllMinesChance(5, 5, 5), 1.0);

    // 50 cells in one block and two specks; 6 mines (11.5 %).
    const Field field =
        FieldOf({"##########.#", "##########..", "##########.#", "##########..", "##########.."});
    const std::vector<std::string> warnings = MapWarnings(field, 6, MapReadReport{});
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0],
              "the region at column 11, row 0 has only 1 cell: too small to hold a safe cell in "
              "11.5 % of games, and a guess in the others");
    EXPECT_NE(warnings[1].find("column 11, row 2"), std::string::npos);

    // A region of three cells at this density is all mines in well under 1 % of games.
    const Field three =
        FieldOf({"##########.#", "##########.#", "##########.#", "##########..", "##########.."});
    EXPECT_TRUE(MapWarnings(three, 6, MapReadReport{}).empty());

    // Only ten are named one by one.
    Field specks = EmptyField(40, 6);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 11; ++x)
            specks.cells[static_cast<size_t>(y) * 40 + x] = 1;
    }
    for (int32_t x = 12; x < 40; x += 2)
        specks.cells[5 * 40 + x] = 1;  // 14 single cells
    const std::vector<std::string> many = MapWarnings(specks, 9, MapReadReport{});
    ASSERT_EQ(many.size(), 11u);
    EXPECT_EQ(many.back(), "... and 4 more regions as small");
}

}  // namespace
