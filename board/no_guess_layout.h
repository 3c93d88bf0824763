// SPDX-License-Identifier: MIT
// Layouts that never force a guess. At the first opening of a game, after
// the usual first-click rule, the mines are rearranged so that the opened
// cell and its neighbours are free of mines (the first click opens an
// area), every other region of the field gets a safe starting area of its
// own that opens with it, and the logic solver, starting from those
// openings, clears the whole field without a guess. The mine count stays,
// Void cells stay empty, and every choice is drawn from the game's one
// random generator, so a seed and the same clicks give the same layout on
// every machine.
//
// Rearranging works from where the solver gets stuck, not by dealing again:
// the mines round one of the numbers it stands at are moved to cells it has
// not reached yet, so that number settles its neighbours, and solving goes
// on. A pass that needed such moves is checked by solving again from the
// openings, until a pass clears the field with no move at all.
#pragma once

#include <cstdint>
#include <vector>

// How long a layout may be worked on. Work is counted in the solver's steps
// and is the same on every machine; the clock is the guard on a slow one.
// Whichever runs out first ends the trying, and the best layout found (the
// one the solver got furthest on) is played.
struct NoGuessLimits {
    int64_t work = 30000000;
    int32_t milliseconds = 2000;
};

struct NoGuessOutcome {
    bool solved = false;       // the solver clears the field from the openings
    bool startsClear = false;  // every opened cell and its neighbours hold no mine
    bool timedOut = false;     // the clock, not the work limit, ended the trying
    int32_t passes = 0;        // passes of the solver from the openings
    int32_t minesMoved = 0;
    int64_t work = 0;
    // Board cells (CellIndex) opened together with the first one: one
    // starting cell in every other region of the field.
    std::vector<int32_t> otherStarts;
};

// Rearranges the Board's mines for the first opening at (x, y), a Hidden
// cell that holds no mine. Only CellValue changes. The cells of other
// regions in `otherStarts` are Hidden and free of mines, and open the
// caller's flood in their turn.
NoGuessOutcome ArrangeNoGuessLayout(int32_t x, int32_t y,
                                    const NoGuessLimits& limits = NoGuessLimits());

// Whether the solver, starting from the Open cells of the Board and the
// numbers they show, finds every other cell of the field without a guess.
// It opens each cell it finds safe, reading its number from the Board,
// exactly as a player would.
bool SolverClearsBoard();
