// Regions of a field, and the warnings `check` gives a map maker.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/map/map_check.h"
#include "tools/map/picture.h"
#include "tools/map/regions.h"

namespace {

using Rows = std::vector<std::string>;

Field FieldOf(const Rows& rows) {
    std::string art;
    for (const std::string& row : rows)
        art += row + "\n";
    Field field;
    std::string problem;
    EXPECT_TRUE(ReadTextArt(art, &field, &problem)) << problem;
    return field;
}

size_t RegionCount(const Rows& rows) {
    return FindRegions(FieldOf(rows)).size();
}

bool AnyWarningHas(const std::vector<std::string>& warnings, const std::string& words) {
    for (const std::string& warning : warnings) {
        if (warning.find(words) != std::string::npos)
            return true;
    }
    return false;
}

TEST(Regions, CellsTouchingAtACornerAreOneRegion) {
    EXPECT_EQ(RegionCount({"#.", ".#"}), 1u);
    EXPECT_EQ(RegionCount({".#", "#."}), 1u);
    EXPECT_EQ(RegionCount({"#.#.#", ".#.#.", "#.#.#"}), 1u);  // a chequerboard
    EXPECT_EQ(RegionCount({"#..#", "....", "#..#"}), 4u);
    EXPECT_EQ(RegionCount({"##.##", "##.##"}), 2u);
}

TEST(Regions, CountsFieldsBuiltToHaveAKnownNumber) {
    EXPECT_EQ(RegionCount({"#"}), 1u);
    EXPECT_EQ(RegionCount({"."}), 0u);
    EXPECT_EQ(RegionCount({"#####", "#...#", "#.#.#", "#...#", "#####"}), 2u);  // ring and island
    EXPECT_EQ(RegionCount({"###.###.###", "#.#.#.#.#.#", "###.###.###"}), 3u);
    // A spiral is one long region, however it winds.
    EXPECT_EQ(
        RegionCount({"#######", "......#", "#####.#", "#...#.#", "#.###.#", "#.....#", "#######"}),
        1u);

    // A 300 x 300 grid of isolated cells: 150 x 150 regions, found without recursion.
    Field specks = EmptyField(300, 300);
    for (int32_t y = 0; y < 300; y += 2) {
        for (int32_t x = 0; x < 300; x += 2)
            specks.cells[static_cast<size_t>(y) * 300 + x] = 1;
    }
    EXPECT_EQ(FindRegions(specks).size(), 22500u);
    Field full = EmptyField(300, 300);
    full.cells.assign(full.cells.size(), 1);
    const std::vector<Region> one = FindRegions(full);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].cells, 90000);
}

TEST(Regions, ReportEachRegionsSizeAndFirstCell) {
    const std::vector<Region> regions = FindRegions(FieldOf({"..##", "#...", "#..#"}));
    ASSERT_EQ(regions.size(), 3u);
    EXPECT_EQ(regions[0].cells, 2);
    EXPECT_EQ(regions[0].firstX, 2);
    EXPECT_EQ(regions[0].firstY, 0);
    EXPECT_EQ(regions[1].cells, 2);
    EXPECT_EQ(regions[1].firstX, 0);
    EXPECT_EQ(regions[1].firstY, 1);
    EXPECT_EQ(regions[2].cells, 1);
    EXPECT_EQ(regions[2].firstX, 3);
    EXPECT_EQ(regions[2].firstY, 2);
}

TEST(Density, IsMinesOverPlayableCellsToOneDecimal) {
    EXPECT_EQ(DensityText(40, 256), "15.6 %");
    EXPECT_EQ(DensityText(99, 480), "20.6 %");
    EXPECT_EQ(DensityText(0, 8), "0.0 %");
}

TEST(AllMinesChance, IsTheChanceThatARegionHoldsOnlyMines) {
    EXPECT_DOUBLE_EQ(AllMinesChance(1, 10, 100), 0.1);
    EXPECT_DOUBLE_EQ(AllMinesChance(2, 10, 100), 10.0 / 100 * 9 / 99);
    EXPECT_DOUBLE_EQ(AllMinesChance(3, 2, 100), 0.0);  // more cells than mines
    EXPECT_DOUBLE_EQ(AllMinesChance(5, 5, 5), 1.0);
}

TEST(Warnings, ForDensityOutsideWhatPlaysWell) {
    const Field field = FieldOf({"##########", "##########", "##########", "##########"});
    EXPECT_TRUE(MapWarnings(field, 6, MapReadReport{}).empty());   // 15 %
    EXPECT_TRUE(MapWarnings(field, 10, MapReadReport{}).empty());  // 25 %, the limit
    EXPECT_TRUE(AnyWarningHas(MapWarnings(field, 11, MapReadReport{}), "so dense (27.5 %)"));
    EXPECT_TRUE(AnyWarningHas(MapWarnings(field, 39, MapReadReport{}), "so dense"));
    EXPECT_TRUE(AnyWarningHas(MapWarnings(field, 3, MapReadReport{}), "so sparse (7.5 %)"));
    EXPECT_TRUE(AnyWarningHas(MapWarnings(field, 0, MapReadReport{}), "so sparse"));
}

TEST(Warnings, ForRegionsTooSmallToHoldASafeCell) {
    // 50 cells in one block and two specks; 6 mines (11.5 %).
    const Field field =
        FieldOf({"##########.#", "##########..", "##########.#", "##########..", "##########.."});
    const std::vector<std::string> warnings = MapWarnings(field, 6, MapReadReport{});
    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_EQ(warnings[0],
              "the region at column 11, row 0 has only 1 cell: too small to hold a safe cell in "
              "11.5 % of games, and a guess in the others");
    EXPECT_TRUE(AnyWarningHas(warnings, "column 11, row 2"));

    // A region of three cells at this density is all mines in well under 1 % of games.
    const Field three =
        FieldOf({"##########.#", "##########.#", "##########.#", "##########..", "##########.."});
    EXPECT_TRUE(MapWarnings(three, 6, MapReadReport{}).empty());
}

TEST(Warnings, NameOnlyTenSmallRegionsOneByOne) {
    Field field = EmptyField(40, 6);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 11; ++x)
            field.cells[static_cast<size_t>(y) * 40 + x] = 1;
    }
    for (int32_t x = 12; x < 40; x += 2)
        field.cells[5 * 40 + x] = 1;  // 14 single cells
    const std::vector<std::string> warnings = MapWarnings(field, 9, MapReadReport{});
    ASSERT_EQ(warnings.size(), 11u);
    EXPECT_EQ(warnings.back(), "... and 4 more regions as small");
}

TEST(Warnings, ForRunsThatEndEarlyOrGoPastTheGrid) {
    const Field field = FieldOf({"##########", "##########"});
    MapReadReport early;
    early.runsEndedEarly = true;
    EXPECT_TRUE(AnyWarningHas(MapWarnings(field, 3, early), "ends before the last cell"));
    MapReadReport past;
    past.runsPastGrid = true;
    EXPECT_TRUE(AnyWarningHas(MapWarnings(field, 3, past), "past the last cell"));
}

}  // namespace
