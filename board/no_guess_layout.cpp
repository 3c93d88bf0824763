// SPDX-License-Identifier: MIT
#include "board/no_guess_layout.h"

#include <chrono>

#include "board/board.h"
#include "board/field_grid.h"
#include "board/logic_solver.h"
#include "board/random.h"

namespace {

// A draw from 0 to count - 1. The generator gives 15 bits a draw, too few
// for the 90,000 cells of the largest field, so large ranges take two.
int32_t RandomBelow(int32_t count) {
    constexpr int32_t OneDraw = 32768;
    if (count <= OneDraw)
        return RandomInRange(0, count - 1);
    const int32_t high = NextRandom();
    const int32_t wide = high * OneDraw + NextRandom();
    return wide % count;
}

// The Board's field and mines, in a grid the solver works on.
void CopyBoardToGrid(FieldGrid* grid) {
    grid->SetSize(BoardWidth, BoardHeight);
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t cell = CellIndex(x, y);
            const int32_t at = grid->Index(x, y);
            grid->playable[at] = CoverState[cell] != Void ? 1 : 0;
            grid->mine[at] = CellValue[cell] == Mine ? 1 : 0;
        }
    }
}

// The grid's mines back into the Board, every count made anew.
void CopyGridToBoard(const FieldGrid& grid) {
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t at = grid.Index(x, y);
            int8_t value = 0;
            if (grid.playable[at] != 0)
                value = grid.mine[at] != 0 ? Mine : grid.CountAround(at);
            CellValue[CellIndex(x, y)] = value;
        }
    }
}

class LayoutMaker {
  public:
    LayoutMaker(FieldGrid* grid, int32_t mines, const NoGuessLimits& limits)
        : grid_(*grid), mines_(mines), limits_(limits), began_(std::chrono::steady_clock::now()) {}

    // `first` is the opened cell; `startable` says which cells may start
    // another region (not marked by the player).
    NoGuessOutcome Make(int32_t first, const std::vector<uint8_t>& startable);

    // The starting cells of the other regions, as grid cells.
    std::vector<int32_t> OtherStarts() const {
        return std::vector<int32_t>(starts_.begin() + (starts_.empty() ? 0 : 1), starts_.end());
    }

  private:
    void ChooseStarts(int32_t first, const std::vector<uint8_t>& startable);
    void ClearStartingAreas();
    void StartPass();
    bool OverBudget();
    // What a move did: nothing; moved mines among unsettled cells only, so
    // what the solver knows still holds; or moved settled ones too.
    enum class Move { None, Settling, Unsettling };
    Move MoveMinesAtBorder();
    Move OpenEnclosure();
    bool PickCells(int32_t count, bool mines, int32_t number, std::vector<int32_t>* picked,
                   bool* settledUsed);
    void MoveMine(int32_t from, int32_t to);

    FieldGrid& grid_;
    int32_t mines_;
    NoGuessLimits limits_;
    std::chrono::steady_clock::time_point began_;
    LogicSolver solver_;
    std::vector<int8_t> numbers_;  // what each cell of the grid would show
    std::vector<int32_t> starts_;  // grid cells opened at the start; the first is the click
    std::vector<uint8_t> inArea_;  // 1 for the starting areas' cells
    std::vector<uint8_t> picked_;  // scratch marks for PickCells
    int64_t workBefore_ = 0;       // work of the passes before this one
    NoGuessOutcome outcome_;
};

void LayoutMaker::ChooseStarts(int32_t first, const std::vector<uint8_t>& startable) {
    // The regions: cells joined through sides and corners, as the flood
    // and the numbers join them.
    std::vector<int32_t> region(static_cast<size_t>(grid_.Size()), -1);
    std::vector<std::vector<int32_t>> regions;
    std::vector<int32_t> stack;
    for (int32_t seed = 0; seed < grid_.Size(); ++seed) {
        if (grid_.playable[seed] == 0 || region[seed] >= 0)
            continue;
        const auto id = static_cast<int32_t>(regions.size());
        regions.emplace_back();
        region[seed] = id;
        stack.push_back(seed);
        while (!stack.empty()) {
            const int32_t cell = stack.back();
            stack.pop_back();
            regions[id].push_back(cell);
            for (const int32_t offset : grid_.Neighbours()) {
                const int32_t n = cell + offset;
                if (grid_.playable[n] != 0 && region[n] < 0) {
                    region[n] = id;
                    stack.push_back(n);
                }
            }
        }
    }

    starts_.assign(1, first);
    for (size_t id = 0; id < regions.size(); ++id) {
        if (static_cast<int32_t>(id) == region[first])
            continue;
        // The start of a region opens as large an area as it can: a cell
        // with as many neighbours in the field as the region offers.
        std::vector<int32_t> best;
        int32_t mostAround = -1;
        for (const int32_t cell : regions[id]) {
            if (startable[cell] == 0)
                continue;
            int32_t around = 0;
            for (const int32_t offset : grid_.Neighbours())
                around += grid_.playable[cell + offset];
            if (around > mostAround) {
                mostAround = around;
                best.clear();
            }
            if (around == mostAround)
                best.push_back(cell);
        }
        if (!best.empty())
            starts_.push_back(best[RandomBelow(static_cast<int32_t>(best.size()))]);
    }
}

void LayoutMaker::ClearStartingAreas() {
    // The cells to free, most important first: the opened cell is free
    // already; then the other starting cells, which the game opens; then
    // the opened cell's neighbours; then the other starts' neighbours.
    inArea_.assign(static_cast<size_t>(grid_.Size()), 0);
    std::vector<int32_t> order;
    const auto add = [&](int32_t cell) {
        if (grid_.playable[cell] != 0 && inArea_[cell] == 0) {
            inArea_[cell] = 1;
            order.push_back(cell);
        }
    };
    for (const int32_t start : starts_)
        add(start);
    for (size_t k = 0; k < starts_.size(); ++k) {
        for (const int32_t offset : grid_.Neighbours())
            add(starts_[k] + offset);
    }

    // Mines go to random cells outside every area; when there are too few
    // of those, to the area cells that matter least.
    std::vector<int32_t> room;
    for (int32_t cell = 0; cell < grid_.Size(); ++cell) {
        if (grid_.playable[cell] != 0 && inArea_[cell] == 0 && grid_.mine[cell] == 0)
            room.push_back(cell);
    }
    for (size_t k = 0; k < order.size(); ++k) {
        const int32_t cell = order[k];
        if (grid_.mine[cell] == 0)
            continue;
        int32_t to = -1;
        if (!room.empty()) {
            const int32_t at = RandomBelow(static_cast<int32_t>(room.size()));
            to = room[at];
            room[at] = room.back();
            room.pop_back();
        } else {
            for (size_t later = order.size(); later-- > k + 1;) {
                if (grid_.mine[order[later]] == 0) {
                    to = order[later];
                    break;
                }
            }
        }
        if (to < 0)
            break;  // nowhere left: the rest of the areas keep their mines
        grid_.mine[cell] = 0;
        grid_.mine[to] = 1;
        ++outcome_.minesMoved;
    }

    // A start of another region that could not be freed is not opened. An
    // area that could not be freed whole is no starting area: its start
    // shows a number, and the cells round it take part in the rearranging
    // like any other.
    std::vector<int32_t> kept(1, starts_[0]);
    for (size_t k = 1; k < starts_.size(); ++k) {
        if (grid_.mine[starts_[k]] == 0)
            kept.push_back(starts_[k]);
    }
    starts_ = kept;
    inArea_.assign(static_cast<size_t>(grid_.Size()), 0);
    outcome_.startsClear = true;
    for (const int32_t start : starts_) {
        bool clear = true;
        for (const int32_t offset : grid_.Neighbours())
            clear = clear && grid_.mine[start + offset] == 0;
        outcome_.startsClear = outcome_.startsClear && clear;
        inArea_[start] = 1;
        for (const int32_t offset : grid_.Neighbours()) {
            if (clear && grid_.playable[start + offset] != 0)
                inArea_[start + offset] = 1;
        }
    }
}

void LayoutMaker::StartPass() {
    // Setting the solver up costs a step per cell of the grid.
    workBefore_ += solver_.Work() + grid_.Size();
    ++outcome_.passes;
    solver_.Begin(grid_, mines_);
    for (const int32_t start : starts_)
        solver_.Open(start, numbers_[start]);
}

bool LayoutMaker::OverBudget() {
    if (workBefore_ + solver_.Work() > limits_.work)
        return true;
    const auto spent = std::chrono::steady_clock::now() - began_;
    if (spent >= std::chrono::milliseconds(limits_.milliseconds)) {
        outcome_.timedOut = true;
        return true;
    }
    return false;
}

void LayoutMaker::MoveMine(int32_t from, int32_t to) {
    grid_.mine[from] = 0;
    grid_.mine[to] = 1;
    ++outcome_.minesMoved;
    ++workBefore_;
    for (const int32_t offset : grid_.Neighbours()) {
        const int32_t away = from + offset;
        --numbers_[away];
        if (solver_.KnowledgeOf(away) == Knowledge::Open)
            solver_.ChangeNumber(away, -1);
        const int32_t near = to + offset;
        ++numbers_[near];
        if (solver_.KnowledgeOf(near) == Knowledge::Open)
            solver_.ChangeNumber(near, +1);
    }
}

bool LayoutMaker::PickCells(int32_t count, bool mines, int32_t number, std::vector<int32_t>* picked,
                            bool* settledUsed) {
    // Cells away from `number`, holding a mine or not as asked, outside the
    // starting areas. Cells the solver has not settled come first, and of
    // those the ones no number touches yet: moving a mine there changes
    // nothing the solver has seen. Only when those run out do settled cells
    // take part, and what the solver knows no longer holds.
    const std::vector<int32_t>& unknown = solver_.UnknownCells();
    const auto fits = [&](int32_t cell) {
        return picked_[cell] == 0 && inArea_[cell] == 0 && (grid_.mine[cell] != 0) == mines &&
               cell != number && !grid_.Touching(cell, number);
    };
    const auto take = [&](int32_t cell) {
        picked_[cell] = 1;
        picked->push_back(cell);
    };
    const auto missing = [&] { return count - static_cast<int32_t>(picked->size()); };
    picked->clear();
    *settledUsed = false;

    // Most of the time a few random tries find untouched cells at once.
    if (!unknown.empty()) {
        const auto size = static_cast<int32_t>(unknown.size());
        for (int32_t tries = 0; tries < 4 * count + 8 && missing() > 0; ++tries) {
            const int32_t cell = unknown[RandomBelow(size)];
            if (solver_.OpenAround(cell) == 0 && fits(cell))
                take(cell);
        }
    }
    for (int32_t tier = 0; tier < 3 && missing() > 0; ++tier) {
        std::vector<int32_t> candidates;
        workBefore_ += tier < 2 ? static_cast<int64_t>(unknown.size()) : grid_.Size();
        if (tier < 2) {
            for (const int32_t cell : unknown) {
                if ((solver_.OpenAround(cell) == 0) == (tier == 0) && fits(cell))
                    candidates.push_back(cell);
            }
        } else {
            for (int32_t cell = 0; cell < grid_.Size(); ++cell) {
                if (grid_.playable[cell] != 0 && solver_.KnowledgeOf(cell) != Knowledge::Unknown &&
                    fits(cell)) {
                    candidates.push_back(cell);
                }
            }
        }
        while (!candidates.empty() && missing() > 0) {
            const int32_t at = RandomBelow(static_cast<int32_t>(candidates.size()));
            take(candidates[at]);
            *settledUsed = *settledUsed || tier == 2;
            candidates[at] = candidates.back();
            candidates.pop_back();
        }
    }
    for (const int32_t cell : *picked)
        picked_[cell] = 0;
    return missing() == 0;
}

LayoutMaker::Move LayoutMaker::OpenEnclosure() {
    // No number touches the cells left: they are walled in by mines (or
    // the field's edge), and nothing can ever tell them apart. One mine of
    // the wall goes elsewhere, so a number can see in.
    std::vector<int32_t> walledIn;
    workBefore_ += solver_.UnknownCount();
    for (const int32_t cell : solver_.UnknownCells()) {
        for (const int32_t offset : grid_.Neighbours()) {
            const int32_t n = cell + offset;
            if (solver_.KnowledgeOf(n) == Knowledge::Mine && inArea_[n] == 0) {
                walledIn.push_back(cell);
                break;
            }
        }
    }
    if (walledIn.empty())
        return Move::None;
    const int32_t cell = walledIn[RandomBelow(static_cast<int32_t>(walledIn.size()))];
    std::vector<int32_t> wall;
    for (const int32_t offset : grid_.Neighbours()) {
        const int32_t n = cell + offset;
        if (solver_.KnowledgeOf(n) == Knowledge::Mine && inArea_[n] == 0)
            wall.push_back(n);
    }
    const int32_t brick = wall[RandomBelow(static_cast<int32_t>(wall.size()))];
    std::vector<int32_t> picked;
    bool settledUsed = false;
    if (!PickCells(1, false, cell, &picked, &settledUsed))
        return Move::None;
    MoveMine(brick, picked[0]);
    return Move::Unsettling;
}

LayoutMaker::Move LayoutMaker::MoveMinesAtBorder() {
    const std::vector<int32_t>& border = solver_.Border();
    if (border.empty())
        return OpenEnclosure();
    // A number the solver stands at: its hidden neighbours are made all
    // safe, their mines moved to cells the solver has not reached, and the
    // number settles them at once. When there is no room for the mines,
    // mines are brought in instead, to make them all mines.
    const int32_t number = border[RandomBelow(static_cast<int32_t>(border.size()))];
    ++workBefore_;
    std::vector<int32_t> hiddenCells;
    int32_t minesAmong = 0;
    for (const int32_t offset : grid_.Neighbours()) {
        const int32_t cell = number + offset;
        if (solver_.KnowledgeOf(cell) == Knowledge::Unknown) {
            hiddenCells.push_back(cell);
            minesAmong += grid_.mine[cell];
        }
    }
    const auto hiddenCount = static_cast<int32_t>(hiddenCells.size());
    const int32_t toClear = minesAmong;
    const int32_t toFill = hiddenCount - minesAmong;
    bool fillAllowed = true;  // never a mine into a starting area
    for (const int32_t cell : hiddenCells)
        fillAllowed = fillAllowed && inArea_[cell] == 0;
    if (toClear == 0 || toFill == 0)
        return Move::None;  // the number settles its cells already: nothing is stuck here

    std::vector<int32_t> picked;
    bool settledUsed = false;
    for (int32_t attempt = 0; attempt < 2; ++attempt) {
        const bool clear = attempt == 0;
        if (!clear && !fillAllowed)
            continue;
        if (!PickCells(clear ? toClear : toFill, !clear, number, &picked, &settledUsed))
            continue;
        size_t next = 0;
        for (const int32_t cell : hiddenCells) {
            if (clear && grid_.mine[cell] != 0) {
                MoveMine(cell, picked[next++]);
            } else if (!clear && grid_.mine[cell] == 0) {
                MoveMine(picked[next++], cell);
            }
        }
        return settledUsed ? Move::Unsettling : Move::Settling;
    }

    // Neither fits (a crowded or tiny field): one mine more or one fewer
    // among the number's hidden cells changes what it says, and the
    // solving goes on from there.
    const bool bringIn = fillAllowed && (RandomBelow(2) == 0);
    for (int32_t attempt = 0; attempt < 2; ++attempt) {
        const bool in = (attempt == 0) == bringIn;
        if (in && !fillAllowed)
            continue;
        if (!PickCells(1, in, number, &picked, &settledUsed))
            continue;
        std::vector<int32_t> ends;
        for (const int32_t cell : hiddenCells) {
            if ((grid_.mine[cell] != 0) != in)
                ends.push_back(cell);
        }
        const int32_t end = ends[RandomBelow(static_cast<int32_t>(ends.size()))];
        if (in) {
            MoveMine(picked[0], end);
        } else {
            MoveMine(end, picked[0]);
        }
        return settledUsed ? Move::Unsettling : Move::Settling;
    }
    return Move::None;
}

NoGuessOutcome LayoutMaker::Make(int32_t first, const std::vector<uint8_t>& startable) {
    if (grid_.playable[first] == 0 || grid_.mine[first] != 0)
        return outcome_;  // not an opening the first-click rule lets happen
    ChooseStarts(first, startable);
    ClearStartingAreas();
    numbers_.assign(static_cast<size_t>(grid_.Size()), 0);
    for (int32_t cell = 0; cell < grid_.Size(); ++cell) {
        if (grid_.playable[cell] != 0)
            numbers_[cell] = grid_.CountAround(cell);
    }
    picked_.assign(static_cast<size_t>(grid_.Size()), 0);

    std::vector<uint8_t> best = grid_.mine;
    int32_t bestUnknown = -1;
    StartPass();
    bool checking = true;  // this pass solves from the openings, with no move yet
    for (;;) {
        solver_.Run(numbers_.data());
        if (solver_.UnknownCount() == 0) {
            if (checking) {
                outcome_.solved = true;
                break;
            }
            StartPass();
            checking = true;
            continue;
        }
        if (checking && (bestUnknown < 0 || solver_.UnknownCount() < bestUnknown)) {
            bestUnknown = solver_.UnknownCount();
            best = grid_.mine;
        }
        if (OverBudget())
            break;
        const Move move = MoveMinesAtBorder();
        if (move == Move::Settling) {
            checking = false;
        } else if (move == Move::Unsettling || !checking) {
            StartPass();
            checking = true;
        } else {
            break;  // stuck with nothing left to move
        }
    }
    outcome_.work = workBefore_ + solver_.Work();
    if (!outcome_.solved)
        grid_.mine = best;
    return outcome_;
}

}  // namespace

NoGuessOutcome ArrangeNoGuessLayout(int32_t x, int32_t y, const NoGuessLimits& limits) {
    FieldGrid grid;
    CopyBoardToGrid(&grid);
    std::vector<uint8_t> startable(static_cast<size_t>(grid.Size()), 0);
    for (int32_t cx = 0; cx < BoardWidth; ++cx) {
        for (int32_t cy = 0; cy < BoardHeight; ++cy) {
            if (CoverState[CellIndex(cx, cy)] == Hidden)
                startable[grid.Index(cx, cy)] = 1;
        }
    }
    LayoutMaker maker(&grid, MineCount, limits);
    NoGuessOutcome outcome = maker.Make(grid.Index(x, y), startable);
    CopyGridToBoard(grid);
    for (const int32_t start : maker.OtherStarts())
        outcome.otherStarts.push_back(CellIndex(grid.XOf(start), grid.YOf(start)));
    return outcome;
}

bool SolverClearsBoard() {
    FieldGrid grid;
    CopyBoardToGrid(&grid);
    std::vector<int8_t> numbers(static_cast<size_t>(grid.Size()), 0);
    int32_t mines = 0;
    for (int32_t cell = 0; cell < grid.Size(); ++cell) {
        if (grid.playable[cell] != 0)
            numbers[cell] = grid.CountAround(cell);
        mines += grid.mine[cell];
    }
    LogicSolver solver;
    solver.Begin(grid, mines);
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t at = grid.Index(x, y);
            if (CoverState[CellIndex(x, y)] == Open && grid.mine[at] == 0)
                solver.Open(at, numbers[at]);
        }
    }
    solver.Run(numbers.data());
    if (solver.UnknownCount() != 0 || solver.Contradiction())
        return false;
    // Every cell settled, and settled right.
    for (int32_t cell = 0; cell < grid.Size(); ++cell) {
        if (grid.playable[cell] != 0 &&
            (solver.KnowledgeOf(cell) == Knowledge::Mine) != (grid.mine[cell] != 0)) {
            return false;
        }
    }
    return true;
}
