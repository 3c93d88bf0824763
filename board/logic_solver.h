// SPDX-License-Identifier: MIT
// The logic solver: from what a player can see (the open cells with their
// numbers, the shape of the field and the total number of mines) it finds
// every cell that is certainly safe or certainly a mine, the way a player
// reasons:
//
//   1. one number: when its mines are all found, its other hidden
//      neighbours are safe; when it has as many hidden neighbours as mines
//      still to find, they are all mines;
//   2. two numbers whose hidden neighbours overlap: the mines they share
//      can only be so many, which can settle the cells only one of them
//      touches (one number's hidden cells being a subset of the other's is
//      the common case);
//   3. the mine count: once few hidden cells are left, every way of placing
//      the remaining mines that agrees with the numbers is tried, and a cell
//      that is safe (or a mine) in all of them is settled.
//
// It never calls a cell safe that could hold a mine. It works from queues of
// numbers whose surroundings changed, so each step costs what changed, not a
// pass over the field.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "board/field_grid.h"

// What the solver knows of a cell.
enum class Knowledge : uint8_t {
    Outside,  // not a cell of the field
    Unknown,  // could be either, as far as reasoning goes
    Safe,     // certainly safe, not opened yet
    Open,     // opened: its number is known
    Mine,     // certainly a mine
};

// The mine-count reasoning starts once this few hidden cells are left, and
// gives up (concluding nothing) past this many steps of trying placements.
constexpr int32_t CountRuleCells = 20;
constexpr int64_t CountRuleStepLimit = 200000;

class LogicSolver {
  public:
    // Starts over on the field of `grid` (its playable cells) with `mines`
    // mines in all; every cell Unknown. The grid must stay as it is while
    // the solver works on it (the mines in it are never looked at).
    void Begin(const FieldGrid& grid, int32_t mines);

    // Opens a cell that is not a known mine; it shows `number`.
    void Open(int32_t index, int32_t number);

    // Reasons until nothing more follows. With `numbers` (indexed like the
    // grid: what each safe cell shows), every cell found safe is opened at
    // once, as a player would open it; without, the cells found safe wait
    // in FoundSafe() for the caller to open them.
    void Run(const int8_t* numbers = nullptr);

    // The number of an open cell has changed by `change` (the layout maker
    // moved a mine beside it).
    void ChangeNumber(int32_t index, int32_t change);

    Knowledge KnowledgeOf(int32_t index) const { return static_cast<Knowledge>(knowledge_[index]); }
    // Playable cells neither known safe nor known mines.
    int32_t UnknownCount() const { return static_cast<int32_t>(unknown_.items.size()); }
    const std::vector<int32_t>& UnknownCells() const { return unknown_.items; }
    // Mines not yet found.
    int32_t MinesLeft() const { return minesLeft_; }
    // Open cells with Unknown neighbours: where reasoning stands when it stops.
    const std::vector<int32_t>& Border() const { return border_.items; }
    // For an open cell: mines around it not yet found, and Unknown neighbours.
    int32_t MinesToFind(int32_t index) const { return need_[index]; }
    int32_t UnknownAround(int32_t index) const { return hidden_[index]; }
    // Open cells around a cell.
    int32_t OpenAround(int32_t index) const { return openAround_[index]; }
    // Safe cells found since the caller last cleared the list (without numbers).
    std::vector<int32_t>& FoundSafe() { return foundSafe_; }
    // What it was told cannot be: a number with more mines than hidden
    // neighbours, or fewer than the mines found around it.
    bool Contradiction() const { return contradiction_; }
    // Steps of reasoning since Begin, the same on every machine: a measure
    // of work for budgets.
    int64_t Work() const { return work_; }

  private:
    // A set of cell indices with constant-time insertion, removal and
    // membership, kept in a vector for picking and walking.
    struct CellSet {
        std::vector<int32_t> items;
        std::vector<int32_t> position;  // per cell: place in items, or -1
        void Reset(int32_t cells);
        void Insert(int32_t index);
        void Erase(int32_t index);
    };
    // First in, first out, each cell at most once.
    struct CellQueue {
        std::vector<int32_t> items;
        size_t head = 0;
        std::vector<uint8_t> queued;
        void Reset(int32_t cells);
        void Push(int32_t index);
        bool Empty() const { return head == items.size(); }
        int32_t Pop();
    };

    // Records a cell as safe (Settle) and opens it, or lists it as found.
    void Settle(int32_t index);
    void MarkSafe(int32_t index);
    void MarkMine(int32_t index);
    void OpenKnownSafe(int32_t index, int32_t number);
    // An open cell's surroundings changed: look at it again.
    void Touch(int32_t index);
    bool ApplySingleNumber(int32_t index);
    bool ApplyPairs(int32_t index);
    bool ApplyMineCount();

    const FieldGrid* grid_ = nullptr;
    const int8_t* numbers_ = nullptr;
    std::vector<uint8_t> knowledge_;
    std::vector<int8_t> need_;
    std::vector<int8_t> hidden_;
    std::vector<int8_t> openAround_;
    CellSet unknown_;
    CellSet border_;
    CellQueue singleQueue_;
    CellQueue pairQueue_;
    std::vector<int32_t> foundSafe_;
    int32_t minesLeft_ = 0;
    bool contradiction_ = false;
    int64_t work_ = 0;
};
