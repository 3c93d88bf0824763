// SPDX-License-Identifier: MIT
#include "tools/map/map_check.h"

#include <cstdio>

#include "tools/map/regions.h"

namespace {

std::string Percent(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %%", value);
    return text;
}

// Only so many small regions are named one by one; a field riddled with
// specks would otherwise bury everything else.
constexpr size_t NamedSmallRegions = 10;

}  // namespace

std::string DensityText(int32_t mines, int32_t playable) {
    return Percent(playable > 0 ? 100.0 * mines / playable : 0.0);
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
