// SPDX-License-Identifier: MIT
#include "tools/map/map_check.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "board/board.h"
#include "board/deal.h"
#include "board/no_guess_layout.h"
#include "board/random.h"
#include "tools/map/regions.h"

namespace {

std::string Percent(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", value);
    return text;
}

// The cell a player's first click lands on when the mouse has not moved: the
// one the view starts on, or, when that is Void, the playable cell nearest
// to it (the first in column order among equals).
void FirstOpening(int32_t* x, int32_t* y) {
    const int32_t startX = BoardWidth / 2;
    const int32_t startY = BoardHeight / 2;
    int64_t nearest = -1;
    for (int32_t cx = 0; cx < BoardWidth; ++cx) {
        for (int32_t cy = 0; cy < BoardHeight; ++cy) {
            if (CoverState[CellIndex(cx, cy)] == Void)
                continue;
            const int64_t distance = static_cast<int64_t>(cx - startX) * (cx - startX) +
                                     static_cast<int64_t>(cy - startY) * (cy - startY);
            if (nearest < 0 || distance < nearest) {
                nearest = distance;
                *x = cx;
                *y = cy;
            }
        }
    }
}

// Only so many small regions are named one by one; a field riddled with
// specks would otherwise bury everything else.
constexpr size_t NamedSmallRegions = 10;

}  // namespace

std::string DensityText(int32_t mines, int32_t playable) {
    return Percent(playable > 0 ? 100.0 * mines / playable : 0.0);
}

NoGuessTrials TryNoGuessLayouts(int32_t tries) {
    NoGuessTrials trials;
    trials.tries = tries;
    std::vector<double> times;
    for (int32_t seed = 1; seed <= tries; ++seed) {
        SeedRandom(static_cast<uint32_t>(seed));
        DealMines();
        int32_t x = 0;
        int32_t y = 0;
        FirstOpening(&x, &y);
        RelocateFirstMine(x, y);
        const auto began = std::chrono::steady_clock::now();
        const NoGuessOutcome outcome = ArrangeNoGuessLayout(x, y);
        const std::chrono::duration<double, std::milli> spent =
            std::chrono::steady_clock::now() - began;
        times.push_back(spent.count());
        trials.solved += outcome.solved ? 1 : 0;
        trials.startsClear += outcome.startsClear ? 1 : 0;
        if (!outcome.solved && outcome.timedOut)
            ++trials.outOfTime;
        if (!outcome.solved && !outcome.timedOut && outcome.work > NoGuessLimits().work)
            ++trials.outOfWork;
    }
    if (!times.empty()) {
        std::sort(times.begin(), times.end());
        const size_t middle = times.size() / 2;
        trials.medianMilliseconds =
            times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
        trials.longestMilliseconds = times.back();
    }
    return trials;
}

std::string NoGuessLine(const NoGuessTrials& trials) {
    char milliseconds[32];
    std::snprintf(milliseconds, sizeof milliseconds, "%.1f", trials.medianMilliseconds);
    return "no-guess: " + std::to_string(trials.solved) + " of " + std::to_string(trials.tries) +
           " tries solved, median " + milliseconds + " ms";
}

double AllMinesChance(int32_t cells, int32_t mines, int32_t playable) {
    if (cells > mines)
        return 0.0;
    double chance = 1.0;
    for (int32_t i = 0; i < cells; ++i) {
        chance *= static_cast<double>(mines - i) / static_cast<double>(playable - i);
    }
    return chance;
}

std::vector<std::string> MapWarnings(const Field& field, int32_t mines,
                                     const MapReadReport& report) {
    std::vector<std::string> warnings;
    if (report.runsEndedEarly) {
        warnings.push_back(
            "the file ends before the last cell has its kind; the game makes "
            "the remaining cells Void");
    }
    if (report.runsPastGrid) {
        warnings.push_back(
            "the runs go on past the last cell; the game ignores the rest of "
            "the file");
    }

    const int32_t playable = field.PlayableCount();
    const double density = playable > 0 ? 100.0 * mines / playable : 0.0;
    if (density > DenseDensityPercent) {
        warnings.push_back(
            "mines are so dense (" + Percent(density) +
            ") that moving a mine off the first opened cell rarely helps: that cell is "
            "usually a lone number, and the game goes on with a guess");
    } else if (density < SparseDensityPercent) {
        warnings.push_back("mines are so sparse (" + Percent(density) +
                           ") that the first opening clears most of the field");
    }

    size_t smallRegions = 0;
    for (const Region& region : FindRegions(field)) {
        const double chance = AllMinesChance(region.cells, mines, playable);
        if (chance < AllMinesChanceLimit)
            continue;
        if (++smallRegions > NamedSmallRegions)
            continue;
        warnings.push_back("the region at column " + std::to_string(region.firstX) + ", row " +
                           std::to_string(region.firstY) + " has only " +
                           std::to_string(region.cells) + (region.cells == 1 ? " cell" : " cells") +
                           ": too small to hold a safe cell in " + Percent(100.0 * chance) +
                           " of games, and a guess in the others");
    }
    if (smallRegions > NamedSmallRegions) {
        warnings.push_back("... and " + std::to_string(smallRegions - NamedSmallRegions) +
                           " more regions as small");
    }
    return warnings;
}
