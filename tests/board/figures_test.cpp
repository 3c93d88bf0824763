// SPDX-License-Identifier: MIT
// 3BV on small fields whose value is known by hand.
#include <gtest/gtest.h>

#include "board/figures.h"
#include "tests/support/game_fixture.h"

namespace {

struct ThreeBVCase {
    const char* what;
    std::vector<std::string> field;  // '#' safe, '*' mine, '.' Void
    int32_t expected;
};

TEST_F(GameTest, ThreeBVOfHandMadeFields) {
    const ThreeBVCase cases[] = {
        {"an all-empty field is one click", {"####", "####", "####"}, 1},
        {"a single cell", {"#"}, 1},
        {"isolated numbers count one each", {"#*#*#"}, 3},
        {"numbers between mines, none empty", {"*#*", "#*#", "*#*"}, 4},
        // The empty cells of column 0 and row 2 are one area that opens
        // every 1 but the one at the top right, which touches only the
        // mine and other 1s: 1 area + 1 number.
        {"an area and a number it does not reach", {"##*#", "####", "####"}, 2},
        // A Void column cuts the empty field in two.
        {"Void breaks an area", {"##.##", "##.##"}, 2},
        {"Void cells are not counted", {"#...", "...."}, 1},
        // Empty cells touching only at a corner are one area.
        {"areas meet at corners", {"#.", ".#"}, 1},
        // The ring of 1s around the mine touches the empty cells everywhere
        // but above it, at the top edge, where a 1 sees only 1s and the
        // mine: 1 area + 1 number.
        {"a mine below an edge", {"#####", "##*##", "#####", "#####"}, 2},
        // Two areas, each with its own ring of numbers, and a number between
        // two mines that borders no empty cell: 2 + 1.
        {"two areas and a lone number", {"##*#*##"}, 3},
    };
    for (const ThreeBVCase& c : cases) {
        SetBoardFromArt(c.field);
        EXPECT_EQ(CountThreeBV(), c.expected) << c.what;
    }
}

}  // namespace
