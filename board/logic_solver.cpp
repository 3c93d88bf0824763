// SPDX-License-Identifier: MIT
#include "board/logic_solver.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Step {
    int8_t dx;
    int8_t dy;
};

constexpr Step NeighbourSteps[8] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1},
                                    {0, 1},   {1, -1}, {1, 0},  {1, 1}};

bool Near(int32_t dx, int32_t dy) {
    return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

}  // namespace

void LogicSolver::CellSet::Reset(int32_t cells) {
    items.clear();
    position.assign(static_cast<size_t>(cells), -1);
}

void LogicSolver::CellSet::Insert(int32_t index) {
    if (position[index] >= 0)
        return;
    position[index] = static_cast<int32_t>(items.size());
    items.push_back(index);
}

void LogicSolver::CellSet::Erase(int32_t index) {
    const int32_t at = position[index];
    if (at < 0)
        return;
    const int32_t last = items.back();
    items[at] = last;
    position[last] = at;
    items.pop_back();
    position[index] = -1;
}

void LogicSolver::CellQueue::Reset(int32_t cells) {
    items.clear();
    head = 0;
    queued.assign(static_cast<size_t>(cells), 0);
}

void LogicSolver::CellQueue::Push(int32_t index) {
    if (queued[index] != 0)
        return;
    queued[index] = 1;
    items.push_back(index);
}

int32_t LogicSolver::CellQueue::Pop() {
    const int32_t index = items[head++];
    queued[index] = 0;
    if (head == items.size()) {
        items.clear();
        head = 0;
    }
    return index;
}

void LogicSolver::Begin(const FieldGrid& grid, int32_t mines) {
    grid_ = &grid;
    numbers_ = nullptr;
    const int32_t cells = grid.Size();
    knowledge_.assign(static_cast<size_t>(cells), static_cast<uint8_t>(Knowledge::Outside));
    need_.assign(static_cast<size_t>(cells), 0);
    hidden_.assign(static_cast<size_t>(cells), 0);
    openAround_.assign(static_cast<size_t>(cells), 0);
    unknown_.Reset(cells);
    border_.Reset(cells);
    singleQueue_.Reset(cells);
    pairQueue_.Reset(cells);
    foundSafe_.clear();
    for (int32_t i = 0; i < cells; ++i) {
        if (grid.playable[i] != 0) {
            knowledge_[i] = static_cast<uint8_t>(Knowledge::Unknown);
            unknown_.Insert(i);
        }
    }
    minesLeft_ = mines;
    contradiction_ = false;
    work_ = 0;
}

void LogicSolver::Touch(int32_t index) {
    if (hidden_[index] == 0) {
        border_.Erase(index);
        // Nothing is left to find around it: it must have found its mines.
        if (need_[index] != 0)
            contradiction_ = true;
        return;
    }
    border_.Insert(index);
    if (need_[index] < 0 || need_[index] > hidden_[index])
        contradiction_ = true;
    singleQueue_.Push(index);
    pairQueue_.Push(index);
}

void LogicSolver::Settle(int32_t index) {
    knowledge_[index] = static_cast<uint8_t>(Knowledge::Safe);
    unknown_.Erase(index);
    for (const int32_t offset : grid_->Neighbours()) {
        const int32_t n = index + offset;
        if (knowledge_[n] == static_cast<uint8_t>(Knowledge::Open)) {
            --hidden_[n];
            Touch(n);
        }
    }
}

void LogicSolver::MarkSafe(int32_t index) {
    Settle(index);
    if (numbers_ != nullptr) {
        OpenKnownSafe(index, numbers_[index]);
    } else {
        foundSafe_.push_back(index);
    }
}

void LogicSolver::MarkMine(int32_t index) {
    knowledge_[index] = static_cast<uint8_t>(Knowledge::Mine);
    unknown_.Erase(index);
    --minesLeft_;
    if (minesLeft_ < 0)
        contradiction_ = true;
    for (const int32_t offset : grid_->Neighbours()) {
        const int32_t n = index + offset;
        if (knowledge_[n] == static_cast<uint8_t>(Knowledge::Open)) {
            --hidden_[n];
            --need_[n];
            Touch(n);
        }
    }
}

void LogicSolver::Open(int32_t index, int32_t number) {
    const Knowledge known = KnowledgeOf(index);
    if (known == Knowledge::Open || known == Knowledge::Outside)
        return;
    if (known == Knowledge::Mine) {
        contradiction_ = true;
        return;
    }
    if (known == Knowledge::Unknown)
        Settle(index);  // safe, as its opening shows
    OpenKnownSafe(index, number);
}

void LogicSolver::OpenKnownSafe(int32_t index, int32_t number) {
    ++work_;
    knowledge_[index] = static_cast<uint8_t>(Knowledge::Open);
    int32_t minesFound = 0;
    int32_t unknownAround = 0;
    for (const int32_t offset : grid_->Neighbours()) {
        const int32_t n = index + offset;
        const auto known = static_cast<Knowledge>(knowledge_[n]);
        if (known == Knowledge::Mine)
            ++minesFound;
        if (known == Knowledge::Unknown)
            ++unknownAround;
        ++openAround_[n];
    }
    need_[index] = static_cast<int8_t>(number - minesFound);
    hidden_[index] = static_cast<int8_t>(unknownAround);
    Touch(index);
}

void LogicSolver::ChangeNumber(int32_t index, int32_t change) {
    need_[index] = static_cast<int8_t>(need_[index] + change);
    Touch(index);
}

bool LogicSolver::ApplySingleNumber(int32_t index) {
    ++work_;
    if (hidden_[index] == 0)
        return false;
    const bool allSafe = need_[index] == 0;
    const bool allMines = need_[index] == hidden_[index];
    if (!allSafe && !allMines)
        return false;
    for (const int32_t offset : grid_->Neighbours()) {
        const int32_t n = index + offset;
        if (knowledge_[n] != static_cast<uint8_t>(Knowledge::Unknown))
            continue;
        if (allSafe) {
            MarkSafe(n);
        } else {
            MarkMine(n);
        }
    }
    return true;
}

bool LogicSolver::ApplyPairs(int32_t a) {
    if (hidden_[a] == 0 || KnowledgeOf(a) != Knowledge::Open)
        return false;
    // The hidden neighbours of a, as steps from it.
    Step cellsOfA[8];
    int32_t countA = 0;
    for (int32_t k = 0; k < 8; ++k) {
        if (knowledge_[a + grid_->Neighbours()[k]] == static_cast<uint8_t>(Knowledge::Unknown))
            cellsOfA[countA++] = NeighbourSteps[k];
    }

    for (int32_t ex = -2; ex <= 2; ++ex) {
        for (int32_t ey = -2; ey <= 2; ++ey) {
            if (ex == 0 && ey == 0)
                continue;
            const int32_t b = a + grid_->Offset(ex, ey);
            if (knowledge_[b] != static_cast<uint8_t>(Knowledge::Open) || hidden_[b] == 0)
                continue;
            ++work_;
            int32_t shared = 0;
            for (int32_t k = 0; k < countA; ++k) {
                if (Near(cellsOfA[k].dx - ex, cellsOfA[k].dy - ey))
                    ++shared;
            }
            if (shared == 0)
                continue;
            const int32_t onlyA = countA - shared;
            const int32_t onlyB = hidden_[b] - shared;
            const int32_t needA = need_[a];
            const int32_t needB = need_[b];
            // How many mines the shared cells can hold, given both numbers.
            const int32_t least = std::max({0, needA - onlyA, needB - onlyB});
            const int32_t most = std::min({shared, needA, needB});
            if (least > most) {
                contradiction_ = true;
                return false;
            }

            // What follows for each part: -1 nothing, 0 all safe, 1 all mines.
            const auto settle = [](int32_t size, int32_t fewest, int32_t most) {
                if (size == 0)
                    return -1;
                if (most == 0)
                    return 0;
                if (fewest == size)
                    return 1;
                return -1;
            };
            const int32_t partA = settle(onlyA, needA - most, needA - least);
            const int32_t partB = settle(onlyB, needB - most, needB - least);
            const int32_t partShared = settle(shared, least, most);
            if (partA < 0 && partB < 0 && partShared < 0)
                continue;

            const auto mark = [this](int32_t cell, int32_t verdict) {
                if (knowledge_[cell] != static_cast<uint8_t>(Knowledge::Unknown))
                    return;
                if (verdict == 0) {
                    MarkSafe(cell);
                } else {
                    MarkMine(cell);
                }
            };
            for (int32_t k = 0; k < countA; ++k) {
                const bool inShared = Near(cellsOfA[k].dx - ex, cellsOfA[k].dy - ey);
                const int32_t verdict = inShared ? partShared : partA;
                if (verdict >= 0)
                    mark(a + grid_->Offset(cellsOfA[k].dx, cellsOfA[k].dy), verdict);
            }
            if (partB >= 0) {
                for (int32_t k = 0; k < 8; ++k) {
                    if (!Near(ex + NeighbourSteps[k].dx, ey + NeighbourSteps[k].dy))
                        mark(b + grid_->Neighbours()[k], partB);
                }
            }
            // The other pairs of a are looked at on its next turn.
            pairQueue_.Push(a);
            return true;
        }
    }
    return false;
}

namespace {

// Every placement of the remaining mines over the few hidden cells left
// that agrees with the numbers, found by trying cell after cell and
// dropping a branch as soon as some number can no longer come out right.
class PlacementSearch {
  public:
    PlacementSearch(int32_t cellCount, int32_t minesLeft, int32_t cellsAway)
        : cellCount_(cellCount),
          minesLeft_(minesLeft),
          cellsAway_(cellsAway),
          constraintsOf_(static_cast<size_t>(cellCount)),
          value_(static_cast<size_t>(cellCount), 0),
          canBeMine_(static_cast<size_t>(cellCount), 0),
          canBeSafe_(static_cast<size_t>(cellCount), 0) {}

    // A number: `need` mines among the cells listed.
    void AddNumber(int32_t need, const std::vector<int32_t>& cells) {
        const auto id = static_cast<int32_t>(need_.size());
        need_.push_back(need);
        left_.push_back(static_cast<int32_t>(cells.size()));
        placed_.push_back(0);
        for (const int32_t cell : cells)
            constraintsOf_[cell].push_back(id);
    }

    // False when the step limit ran out before every placement was seen.
    bool Search() {
        Try(0, 0);
        return steps_ <= CountRuleStepLimit;
    }

    int64_t Steps() const { return steps_; }
    bool AnyPlacement() const { return anyPlacement_; }
    bool CanBeMine(int32_t cell) const { return canBeMine_[cell] != 0; }
    bool CanBeSafe(int32_t cell) const { return canBeSafe_[cell] != 0; }
    // The cells away from every number: whether some placement puts a mine
    // among them, and whether some leaves one of them free.
    bool AwayCanHoldMine() const { return awayCanHoldMine_; }
    bool AwayCanBeSafe() const { return awayCanBeSafe_; }

  private:
    bool Allowed(int32_t cell, int32_t value) const {
        for (const int32_t id : constraintsOf_[cell]) {
            const int32_t placed = placed_[id] + value;
            const int32_t left = left_[id] - 1;
            if (placed > need_[id] || placed + left < need_[id])
                return false;
        }
        return true;
    }

    void Set(int32_t cell, int32_t value, int32_t sign) {
        for (const int32_t id : constraintsOf_[cell]) {
            placed_[id] += sign * value;
            left_[id] -= sign;
        }
    }

    void Try(int32_t cell, int32_t mines) {
        if (++steps_ > CountRuleStepLimit)
            return;
        if (cell == cellCount_) {
            const int32_t away = minesLeft_ - mines;
            if (away < 0 || away > cellsAway_)
                return;
            anyPlacement_ = true;
            for (int32_t c = 0; c < cellCount_; ++c) {
                if (value_[c] != 0) {
                    canBeMine_[c] = 1;
                } else {
                    canBeSafe_[c] = 1;
                }
            }
            if (away > 0)
                awayCanHoldMine_ = true;
            if (away < cellsAway_)
                awayCanBeSafe_ = true;
            return;
        }
        for (int32_t value = 0; value <= 1; ++value) {
            if (mines + value > minesLeft_ || !Allowed(cell, value))
                continue;
            value_[cell] = static_cast<uint8_t>(value);
            Set(cell, value, 1);
            Try(cell + 1, mines + value);
            Set(cell, value, -1);
        }
    }

    int32_t cellCount_;
    int32_t minesLeft_;
    int32_t cellsAway_;
    std::vector<std::vector<int32_t>> constraintsOf_;
    std::vector<int32_t> need_;
    std::vector<int32_t> left_;
    std::vector<int32_t> placed_;
    std::vector<uint8_t> value_;
    std::vector<uint8_t> canBeMine_;
    std::vector<uint8_t> canBeSafe_;
    int64_t steps_ = 0;
    bool anyPlacement_ = false;
    bool awayCanHoldMine_ = false;
    bool awayCanBeSafe_ = false;
};

}  // namespace

bool LogicSolver::ApplyMineCount() {
    const int32_t unknownCount = UnknownCount();
    if (unknownCount == 0)
        return false;
    ++work_;
    if (minesLeft_ == 0 || minesLeft_ == unknownCount) {
        const bool mines = minesLeft_ != 0;
        const std::vector<int32_t> cells = unknown_.items;
        for (const int32_t cell : cells) {
            if (KnowledgeOf(cell) != Knowledge::Unknown)
                continue;
            if (mines) {
                MarkMine(cell);
            } else {
                MarkSafe(cell);
            }
        }
        return true;
    }
    if (unknownCount > CountRuleCells || minesLeft_ < 0 || minesLeft_ > unknownCount)
        return false;

    // The hidden cells next to a number, in an order that keeps the cells
    // of one number together, so a wrong branch is dropped early; and how
    // many hidden cells lie away from every number.
    std::vector<int32_t> cells;
    std::vector<int32_t> localOf(static_cast<size_t>(unknownCount), -1);
    std::vector<int32_t> sorted = unknown_.items;
    std::sort(sorted.begin(), sorted.end());
    const auto local = [&](int32_t cell) {
        return static_cast<int32_t>(std::lower_bound(sorted.begin(), sorted.end(), cell) -
                                    sorted.begin());
    };
    std::vector<int32_t> numbers = border_.items;
    std::sort(numbers.begin(), numbers.end());
    for (const int32_t number : numbers) {
        for (const int32_t offset : grid_->Neighbours()) {
            const int32_t n = number + offset;
            if (KnowledgeOf(n) != Knowledge::Unknown || localOf[local(n)] >= 0)
                continue;
            localOf[local(n)] = static_cast<int32_t>(cells.size());
            cells.push_back(n);
        }
    }
    const int32_t away = unknownCount - static_cast<int32_t>(cells.size());

    PlacementSearch search(static_cast<int32_t>(cells.size()), minesLeft_, away);
    for (const int32_t number : numbers) {
        std::vector<int32_t> around;
        for (const int32_t offset : grid_->Neighbours()) {
            const int32_t n = number + offset;
            if (KnowledgeOf(n) == Knowledge::Unknown)
                around.push_back(localOf[local(n)]);
        }
        search.AddNumber(need_[number], around);
    }
    const bool complete = search.Search();
    work_ += search.Steps();
    if (!complete)
        return false;
    if (!search.AnyPlacement()) {
        contradiction_ = true;
        return false;
    }

    bool progress = false;
    for (size_t k = 0; k < cells.size(); ++k) {
        const auto cell = static_cast<int32_t>(k);
        if (KnowledgeOf(cells[k]) != Knowledge::Unknown)
            continue;
        if (!search.CanBeMine(cell)) {
            MarkSafe(cells[k]);
            progress = true;
        } else if (!search.CanBeSafe(cell)) {
            MarkMine(cells[k]);
            progress = true;
        }
    }
    if (away > 0 && (!search.AwayCanHoldMine() || !search.AwayCanBeSafe())) {
        const bool mines = !search.AwayCanBeSafe();
        for (const int32_t cell : sorted) {
            if (KnowledgeOf(cell) != Knowledge::Unknown || localOf[local(cell)] >= 0)
                continue;
            if (mines) {
                MarkMine(cell);
            } else {
                MarkSafe(cell);
            }
        }
        progress = true;
    }
    return progress;
}

void LogicSolver::Run(const int8_t* numbers) {
    numbers_ = numbers;
    while (!contradiction_) {
        if (!singleQueue_.Empty()) {
            ApplySingleNumber(singleQueue_.Pop());
            continue;
        }
        if (!pairQueue_.Empty()) {
            ApplyPairs(pairQueue_.Pop());
            continue;
        }
        if (!ApplyMineCount())
            break;
    }
    numbers_ = nullptr;
}
