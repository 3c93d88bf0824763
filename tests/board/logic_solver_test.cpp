// SPDX-License-Identifier: MIT
// The logic solver: what each kind of reasoning settles in positions worked
// out by hand, that nothing it settles is ever wrong (checked against every
// layout that agrees with what a player sees, on many small random
// positions), and that it works in proportion to the field.
#include "board/logic_solver.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

// A position drawn as text art, one string per row: '.' not part of the
// field, '#' a hidden safe cell, '*' a hidden mine, 'o' an open cell (which
// shows the number of '*' around it).
struct Position {
    FieldGrid grid;
    std::vector<uint8_t> open;
    int32_t mines = 0;

    explicit Position(const Rows& rows)
        : grid(static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size())) {
        open.assign(static_cast<size_t>(grid.Size()), 0);
        for (int32_t y = 0; y < grid.Height(); ++y) {
            for (int32_t x = 0; x < grid.Width(); ++x) {
                const char c = rows[y][x];
                const int32_t i = grid.Index(x, y);
                grid.playable[i] = c != '.' ? 1 : 0;
                grid.mine[i] = c == '*' ? 1 : 0;
                open[i] = c == 'o' ? 1 : 0;
                mines += grid.mine[i];
            }
        }
    }

    // Opens the 'o' cells in a solver and lets it reason, without opening
    // anything it finds.
    void Solve(LogicSolver* solver) const {
        solver->Begin(grid, mines);
        for (int32_t i = 0; i < grid.Size(); ++i) {
            if (open[i] != 0)
                solver->Open(i, grid.CountAround(i));
        }
        solver->Run();
    }
};

// What the solver knows, as art: 'o' open, 's' found safe, 'm' found mine,
// '?' unknown, '.' not in the field.
Rows KnownArt(const LogicSolver& solver, const FieldGrid& grid) {
    Rows rows;
    for (int32_t y = 0; y < grid.Height(); ++y) {
        std::string row;
        for (int32_t x = 0; x < grid.Width(); ++x) {
            switch (solver.KnowledgeOf(grid.Index(x, y))) {
                case Knowledge::Outside:
                    row += '.';
                    break;
                case Knowledge::Unknown:
                    row += '?';
                    break;
                case Knowledge::Safe:
                    row += 's';
                    break;
                case Knowledge::Open:
                    row += 'o';
                    break;
                case Knowledge::Mine:
                    row += 'm';
                    break;
            }
        }
        rows.push_back(row);
    }
    return rows;
}

Rows Settled(const Rows& art) {
    Position position(art);
    LogicSolver solver;
    position.Solve(&solver);
    EXPECT_FALSE(solver.Contradiction());
    return KnownArt(solver, position.grid);
}

// Beside a position: two columns outside the field, then eight columns of
// hidden cells, every other one a mine. Three rows of it are more hidden
// cells than the mine count reasoning takes on, so only what the numbers
// tell shows.
Rows WithFarBlock(Rows rows) {
    for (std::string& row : rows)
        row += "..*#*#*#*#";
    return rows;
}
Rows UnknownFarBlock(Rows rows) {
    for (std::string& row : rows)
        row += "..????????";
    return rows;
}

TEST(LogicSolverTest, OneNumberSettlesItsCellsWhenItsMinesAreAllFoundOrAllHidden) {
    // The 0 in the corner makes its hidden neighbour safe; the 1 below then
    // has a single hidden cell left for its mine.
    EXPECT_EQ(Settled(WithFarBlock({"*#o", "ooo", "ooo"})), UnknownFarBlock({"mso", "ooo", "ooo"}));
    // A 0 makes all its neighbours safe; a 3 with three hidden cells makes
    // them all mines.
    EXPECT_EQ(Settled(WithFarBlock({"###", "#o#", "###"})), UnknownFarBlock({"sss", "sos", "sss"}));
    EXPECT_EQ(Settled(WithFarBlock({"***", "ooo", "ooo"})), UnknownFarBlock({"mmm", "ooo", "ooo"}));
}

TEST(LogicSolverTest, TwoNumbersSettleTheCellsOnlyOneOfThemTouches) {
    // Subset: the left 1 sees two hidden cells, the right 1 those two and a
    // third, which must be safe. No number alone settles anything.
    EXPECT_EQ(Settled(WithFarBlock({"*##", "oo.", "oo."})), UnknownFarBlock({"??s", "oo.", "oo."}));
    // Overlap: a 1 over three cells and a 2 over three, sharing two. The
    // shared two hold at most one mine, so the 2's own cell is a mine and
    // the 1's own cell is safe.
    EXPECT_EQ(Settled(WithFarBlock({"#*#*", ".oo.", ".oo."})),
              UnknownFarBlock({"s??m", ".oo.", ".oo."}));
}

TEST(LogicSolverTest, TheMineCountSettlesTheLastFewCells) {
    // A 1 over two cells that nothing tells apart, and a cell no number
    // touches. With one mine in all, the 1 holds it: the lone cell is safe.
    EXPECT_EQ(Settled({"*#.#", "oo.."}), (Rows{"??.s", "oo.."}));
    // With two mines, the lone cell holds the second.
    EXPECT_EQ(Settled({"*#.*", "oo.."}), (Rows{"??.m", "oo.."}));
    // Every mine found: whatever is left is safe; as many hidden cells as
    // mines left: all mines.
    EXPECT_EQ(Settled({"*o", "oo", "..", "##"}), (Rows{"mo", "oo", "..", "ss"}));
    EXPECT_EQ(Settled({"o.*", "o.*"}), (Rows{"o.m", "o.m"}));
    // Too many hidden cells for the count to take part: the two cells
    // beside the far block stay unknown although the count would settle them.
    EXPECT_EQ(Settled(WithFarBlock({"*#.#", "oo..", "...."})),
              UnknownFarBlock({"??.?", "oo..", "...."}));
}

TEST(LogicSolverTest, NumbersThatCannotBeAreNoticed) {
    Position position({"##", "#o"});
    LogicSolver solver;
    solver.Begin(position.grid, 1);
    solver.Open(position.grid.Index(1, 1), 4);  // four mines round three hidden cells
    solver.Run();
    EXPECT_TRUE(solver.Contradiction());
}

// Every layout of the hidden cells that agrees with the open numbers and the
// mine count, tried one by one: for each hidden cell, whether some layout
// puts a mine there and whether some leaves it free.
struct Possibilities {
    std::vector<uint8_t> canBeMine;
    std::vector<uint8_t> canBeSafe;
};

Possibilities EveryLayout(const Position& position) {
    const FieldGrid& grid = position.grid;
    std::vector<int32_t> hidden;
    std::vector<int32_t> numbers;
    for (int32_t i = 0; i < grid.Size(); ++i) {
        if (grid.playable[i] != 0 && position.open[i] == 0)
            hidden.push_back(i);
        if (position.open[i] != 0)
            numbers.push_back(i);
    }
    Possibilities result;
    result.canBeMine.assign(static_cast<size_t>(grid.Size()), 0);
    result.canBeSafe.assign(static_cast<size_t>(grid.Size()), 0);
    std::vector<uint8_t> mine(static_cast<size_t>(grid.Size()), 0);
    const uint32_t layouts = 1u << hidden.size();
    for (uint32_t bits = 0; bits < layouts; ++bits) {
        int32_t count = 0;
        for (size_t k = 0; k < hidden.size(); ++k) {
            mine[hidden[k]] = (bits >> k) & 1u;
            count += mine[hidden[k]];
        }
        if (count != position.mines)
            continue;
        bool agrees = true;
        for (const int32_t number : numbers) {
            int32_t around = 0;
            for (const int32_t offset : grid.Neighbours())
                around += mine[number + offset];
            agrees = agrees && around == grid.CountAround(number);
        }
        if (!agrees)
            continue;
        for (const int32_t cell : hidden) {
            if (mine[cell] != 0) {
                result.canBeMine[cell] = 1;
            } else {
                result.canBeSafe[cell] = 1;
            }
        }
    }
    return result;
}

// Small random fields: a random shape, random mines, and a random part of
// the safe cells open. Whatever the solver settles must be so in every
// layout that agrees with what it was shown; and once few enough hidden
// cells are left for the mine count to take part, it must settle every cell
// that all those layouts agree on.
TEST(LogicSolverTest, NothingItSettlesIsEverWrongAndWithFewCellsLeftNothingSettledEscapesIt) {
    std::mt19937 random(20261218);
    int32_t settledCells = 0;
    int32_t completeChecks = 0;
    for (int32_t round = 0; round < 600; ++round) {
        const int32_t width = 2 + static_cast<int32_t>(random() % 5);
        const int32_t height = 2 + static_cast<int32_t>(random() % 4);
        const uint32_t minePercent = 10 + random() % 40;
        const uint32_t openPercent = 30 + random() % 50;
        Rows rows(static_cast<size_t>(height), std::string(static_cast<size_t>(width), '#'));
        int32_t hiddenCells = 0;
        for (std::string& row : rows) {
            for (char& c : row) {
                if (random() % 100 < 10) {
                    c = '.';
                } else if (random() % 100 < minePercent) {
                    c = '*';
                    ++hiddenCells;
                } else if (random() % 100 < openPercent) {
                    c = 'o';
                } else {
                    ++hiddenCells;
                }
            }
        }
        if (hiddenCells > 16)
            continue;
        SCOPED_TRACE(testing::PrintToString(rows));
        const Position position(rows);
        LogicSolver solver;
        position.Solve(&solver);
        ASSERT_FALSE(solver.Contradiction());
        const Possibilities possible = EveryLayout(position);
        for (int32_t i = 0; i < position.grid.Size(); ++i) {
            const Knowledge known = solver.KnowledgeOf(i);
            if (known == Knowledge::Safe) {
                ASSERT_EQ(possible.canBeMine[i], 0) << "cell " << i << " called safe";
                ++settledCells;
            }
            if (known == Knowledge::Mine) {
                ASSERT_EQ(possible.canBeSafe[i], 0) << "cell " << i << " called a mine";
                ++settledCells;
            }
            if (known == Knowledge::Unknown && solver.UnknownCount() <= CountRuleCells) {
                ASSERT_TRUE(possible.canBeMine[i] != 0 && possible.canBeSafe[i] != 0)
                    << "cell " << i << " is settled in every layout, yet left unknown";
                ++completeChecks;
            }
        }
    }
    // The positions were not all trivial.
    EXPECT_GT(settledCells, 1000);
    EXPECT_GT(completeChecks, 300);
}

// Larger random fields opened as a player opens them: from a cell with no
// mine around, opening every cell found safe with its true number. What is
// settled must be true of the real layout.
TEST(LogicSolverTest, OnLargeFieldsEveryCellItSettlesIsTrueOfTheRealLayout) {
    std::mt19937 random(7);
    int32_t settled = 0;
    for (int32_t round = 0; round < 40; ++round) {
        FieldGrid grid(30, 16);
        int32_t mines = 0;
        for (int32_t x = 0; x < 30; ++x) {
            for (int32_t y = 0; y < 16; ++y) {
                const int32_t i = grid.Index(x, y);
                grid.playable[i] = random() % 100 < 95 ? 1 : 0;
                grid.mine[i] = grid.playable[i] != 0 && random() % 100 < 18 ? 1 : 0;
                mines += grid.mine[i];
            }
        }
        std::vector<int8_t> numbers(static_cast<size_t>(grid.Size()), 0);
        // The start: a cell with no mine around and eight neighbours in the
        // field, the middlemost of them.
        int32_t start = -1;
        for (int32_t i = 0; i < grid.Size(); ++i) {
            if (grid.playable[i] == 0)
                continue;
            numbers[i] = grid.CountAround(i);
            int32_t around = 0;
            for (const int32_t offset : grid.Neighbours())
                around += grid.playable[i + offset];
            if (grid.mine[i] == 0 && numbers[i] == 0 && around == 8 &&
                (start < 0 || std::abs(i - grid.Size() / 2) < std::abs(start - grid.Size() / 2))) {
                start = i;
            }
        }
        ASSERT_GE(start, 0);
        LogicSolver solver;
        solver.Begin(grid, mines);
        solver.Open(start, numbers[start]);
        solver.Run(numbers.data());
        ASSERT_FALSE(solver.Contradiction());
        for (int32_t i = 0; i < grid.Size(); ++i) {
            const Knowledge known = solver.KnowledgeOf(i);
            if (known == Knowledge::Mine || known == Knowledge::Open || known == Knowledge::Safe) {
                ASSERT_EQ(known == Knowledge::Mine, grid.mine[i] != 0) << "round " << round;
                ++settled;
            }
        }
    }
    EXPECT_GT(settled, 40 * 100) << "the fields were opened well beyond their starts";
}

// Solving costs what changes, not a pass over the field per step: clearing
// a whole 300 x 300 field takes a few steps per cell.
TEST(LogicSolverTest, ClearingTheLargestFieldTakesAFewStepsPerCell) {
    FieldGrid grid(300, 300);
    int32_t mines = 0;
    std::vector<int8_t> numbers(static_cast<size_t>(grid.Size()), 0);
    for (int32_t x = 0; x < 300; ++x) {
        for (int32_t y = 0; y < 300; ++y) {
            const int32_t i = grid.Index(x, y);
            grid.playable[i] = 1;
            // A mine in every fourth cell of every fourth row, with empty
            // lanes between: the numbers settle the whole field.
            grid.mine[i] = (x % 4 == 1 && y % 4 == 1) ? 1 : 0;
            mines += grid.mine[i];
        }
    }
    for (int32_t i = 0; i < grid.Size(); ++i) {
        if (grid.playable[i] != 0)
            numbers[i] = grid.CountAround(i);
    }
    LogicSolver solver;
    solver.Begin(grid, mines);
    solver.Open(grid.Index(3, 3), numbers[grid.Index(3, 3)]);
    solver.Run(numbers.data());
    EXPECT_EQ(solver.UnknownCount(), 0);
    EXPECT_EQ(solver.MinesLeft(), 0);
    EXPECT_LT(solver.Work(), 40 * 300 * 300);
}

}  // namespace
