// SPDX-License-Identifier: MIT
// What `torvex-map check` tells a map maker beyond the map's plain facts: how
// dense the mines are and what may spoil a game on the map.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/map_file.h"
#include "tools/map/field.h"

// Mines as a percentage of the playable cells, one decimal, e.g. "15.6 %".
std::string DensityText(int32_t mines, int32_t playable);

// Density limits outside which a map stops playing well.
constexpr double SparseDensityPercent = 8.0;
constexpr double DenseDensityPercent = 25.0;

// A region is called too small when it holds nothing but mines in at least
// this share of games: no safe cell at all, and no number to reason from.
constexpr double AllMinesChanceLimit = 0.01;

// The chance that `MineCount` mines spread at random over `playable` cells
// cover all `cells` cells of one region.
double AllMinesChance(int32_t cells, int32_t mines, int32_t playable);

// How practical layouts without a guess are on the loaded map: games dealt
// from the seeds 1 to `tries`, each opened first at the cell the view starts
// on (or the playable cell nearest to it), each rearranged as the game does
// with --no-guess. Lays out games on the Board.
struct NoGuessTrials {
    int32_t tries = 0;
    int32_t solved = 0;             // the solver cleared the field from the opening
    int32_t startsClear = 0;        // every opened cell and its neighbours free of mines
    int32_t outOfWork = 0;          // the work limit ended the trying
    int32_t outOfTime = 0;          // the clock ended the trying
    double medianMilliseconds = 0;  // time to make a layout, as the clock on the wall tells
    double longestMilliseconds = 0;
};
NoGuessTrials TryNoGuessLayouts(int32_t tries);

// The line `check` prints for them, without its line break:
// "no-guess: 19 of 20 tries solved, median 2.5 ms".
std::string NoGuessLine(const NoGuessTrials& trials);

// One line per problem worth a map maker's attention, without a prefix.
// `report` is what the game's reader found in the file.
std::vector<std::string> MapWarnings(const Field& field, int32_t mines,
                                     const MapReadReport& report);
