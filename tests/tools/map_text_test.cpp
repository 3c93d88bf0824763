// Writing maps in their tidy form, and the checks made before writing. What
// is written must load in the game's own reader as exactly the field drawn.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "files/map_file.h"
#include "tests/support/game_fixture.h"
#include "tools/map/map_text.h"
#include "tools/map/picture.h"

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

class MapTextRoundTrip : public GameTest {
  protected:
    // Loads `text` with the game's reader; the field it put into the Board.
    Field Load(std::string text) {
        FILE* file = fmemopen(text.data(), text.size(), "r");
        const MapReadReport report = ReadMap(file);
        std::fclose(file);
        EXPECT_TRUE(report.playable) << report.problem;
        EXPECT_FALSE(report.runsEndedEarly);
        EXPECT_FALSE(report.runsPastGrid);
        return FieldFromBoard();
    }
};

TEST(MapText, WritesTheCornersExampleAsItIsDocumented) {
    EXPECT_EQ(MapText("Corners", FieldOf({".##.", "####", ".##."}), 2),
              "Corners,4,3,2,\n0,1,2,1/\n4/\n1,2,1/\n");
}

TEST(MapText, StartsARowWithAnEmptyRunWhenItContinuesTheKind) {
    // Row 2 begins playable right after row 1 ended playable; row 3 begins
    // Void after a Void end.
    EXPECT_EQ(MapText("R", FieldOf({"###", "###"}), 1), "R,3,2,1,\n3/\n0,3/\n");
    EXPECT_EQ(MapText("V", FieldOf({"#..", "..#"}), 0), "V,3,2,0,\n1,2/\n0,2,1/\n");
    EXPECT_EQ(MapText("S", FieldOf({"#"}), 0), "S,1,1,0,\n1/\n");
}

TEST_F(MapTextRoundTrip, TheGameReadsBackEveryFieldExactly) {
    EXPECT_EQ(Load(MapText("Corners", FieldOf({".##.", "####", ".##."}), 2)),
              FieldOf({".##.", "####", ".##."}));
    EXPECT_STREQ(MapName, "Corners");
    EXPECT_EQ(MineCount, 2);

    // Random fields of every shape and share of Void, the largest included.
    std::mt19937 random(2026);
    const int sizes[][2] = {{1, 1}, {1, 7}, {7, 1}, {2, 2}, {5, 9}, {31, 17}, {300, 300}};
    for (const auto& size : sizes) {
        for (const int voidPercent : {0, 10, 50, 90}) {
            Field field = EmptyField(size[0], size[1]);
            for (uint8_t& cell : field.cells)
                cell = static_cast<int>(random() % 100) >= voidPercent;
            field.cells[field.cells.size() / 2] = 1;  // at least one playable cell
            const Field loaded = Load(MapText("Random", field, 0));
            EXPECT_EQ(loaded, field)
                << size[0] << " x " << size[1] << ", " << voidPercent << " % Void";
            EXPECT_EQ(PlayableCount, field.PlayableCount());
        }
    }
}

TEST(MapName, AcceptsWhatTheTitleScreenShowsAsWritten) {
    std::string problem;
    EXPECT_TRUE(CheckMapName("Swiss Cheese", &problem));
    EXPECT_TRUE(CheckMapName(std::string(31, 'x'), &problem));
    EXPECT_TRUE(CheckMapName("Big Map / 2 (hard!)", &problem));

    EXPECT_FALSE(CheckMapName("", &problem));
    EXPECT_EQ(problem, "the map needs a name (--name)");
    EXPECT_FALSE(CheckMapName(std::string(32, 'x'), &problem));
    EXPECT_NE(problem.find("has 32 characters; the game shows at most 31"), std::string::npos);
    EXPECT_FALSE(CheckMapName("Heart, Large", &problem));
    EXPECT_NE(problem.find("comma"), std::string::npos);
    EXPECT_FALSE(CheckMapName("Tab\there", &problem));
    EXPECT_FALSE(CheckMapName("Caf\xc3\xa9", &problem));
}

TEST(MineCount, RefusesWhatTheGameRefuses) {
    const Field corners = FieldOf({".##.", "####", ".##."});
    std::string problem;
    EXPECT_TRUE(CheckMineCount(corners, 0, &problem));
    EXPECT_TRUE(CheckMineCount(corners, 7, &problem));  // one cell left to move a mine to
    EXPECT_FALSE(CheckMineCount(corners, 8, &problem));
    EXPECT_EQ(problem,
              "8 mines on 8 playable cells: there must be fewer mines than playable cells");
    EXPECT_FALSE(CheckMineCount(corners, 9, &problem));
    EXPECT_FALSE(CheckMineCount(FieldOf({"...", "..."}), 0, &problem));
    EXPECT_EQ(problem, "the field has no playable cell");
}

}  // namespace
