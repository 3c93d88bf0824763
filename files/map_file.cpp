// SPDX-License-Identifier: MIT
#include "files/map_file.h"

#include <cstring>

#include "board/board.h"
#include "files/fields.h"
#include "files/ordinary_file.h"

char MapPath[PathCapacity];
char SettingsPath[PathCapacity];
char MapName[MapNameCapacity];

namespace {

// Given to a map path without ".tvm" to make its settings path.
constexpr const char* AppendedSettingsSuffix = ".tvh";

// The cover pattern of the map being read. It reaches the Board only when
// the whole map is accepted, so a refused file leaves the Board as it was.
int8_t StagedCover[BoardCells];

// The largest 300 x 300 map with a run at every cell takes well under a
// megabyte; the rest is room for comments and line breaks.
constexpr uintmax_t LargestMapFileBytes = 64u << 20;

MapReadReport Refuse(MapReadReport report, const std::string& problem) {
    report.playable = false;
    report.problem = problem;
    return report;
}

std::string SideProblem(const char* measure, int32_t cells) {
    return "The map is " + std::to_string(cells) + " cells " + measure + "; a map is 1 to " +
           std::to_string(MaxBoardSide) + " cells " + measure + ".";
}

// True when anything but blanks and line breaks is left in the file: more run
// lengths, or other fields, after the last cell already has its kind.
bool HasMoreContent(FILE* file) {
    for (int byte = std::fgetc(file); byte != EOF; byte = std::fgetc(file)) {
        if (byte > ' ')
            return true;
    }
    return false;
}

// The runs, in row order, alternating playable and Void with the first run
// playable; a run of 0 only switches the kind. Each cell costs one step and
// each run one field, so reading is linear in the grid plus the file, and
// a file that ends early leaves the rest of the grid Void instead of reusing
// its last run forever.
struct RunResult {
    int32_t playable = 0;
    bool endedEarly = false;
    bool lastRunLonger = false;
};

RunResult ReadRuns(FILE* file, int32_t width, int32_t height) {
    RunResult result;
    std::memset(StagedCover, 0, sizeof(StagedCover));
    bool playableKind = false;  // the first run read switches to playable
    int32_t remaining = 0;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            while (remaining <= 0 && !result.endedEarly) {
                if (ReadNumberField(file, &remaining) != 0) {
                    result.endedEarly = true;
                    break;
                }
                playableKind = !playableKind;
            }
            const bool cellPlayable = playableKind && !result.endedEarly;
            StagedCover[CellIndex(x, y)] = cellPlayable ? Hidden : Void;
            if (cellPlayable)
                ++result.playable;
            --remaining;
        }
    }
    result.lastRunLonger = !result.endedEarly && remaining > 0;
    return result;
}

}  // namespace

MapReadReport ReadMap(FILE* file) {
    MapReadReport report;
    char name[FieldCapacity];
    int32_t width = 0;
    int32_t height = 0;
    int32_t mines = 0;
    const bool headerComplete =
        ReadTextField(file, name, sizeof(name)) == 0 && ReadNumberField(file, &width) == 0 &&
        ReadNumberField(file, &height) == 0 && ReadNumberField(file, &mines) == 0;
    if (std::ferror(file))
        return Refuse(report, "The file could not be read.");
    if (!headerComplete) {
        return Refuse(report,
                      "The file ends before the map's name, width, height and number of mines.");
    }
    if (width < 1 || width > MaxBoardSide)
        return Refuse(report, SideProblem("wide", width));
    if (height < 1 || height > MaxBoardSide)
        return Refuse(report, SideProblem("high", height));

    const RunResult runs = ReadRuns(file, width, height);
    report.runsEndedEarly = runs.endedEarly;
    report.runsPastGrid = runs.lastRunLonger || (!runs.endedEarly && HasMoreContent(file));
    if (std::ferror(file))
        return Refuse(report, "The file could not be read.");
    if (runs.playable == 0)
        return Refuse(report, "The map has no playable cell.");
    // Mine placement needs a free cell for the first opening to move a mine to.
    if (mines >= runs.playable) {
        return Refuse(report, "The map has " + std::to_string(mines) + " mines for " +
                                  std::to_string(runs.playable) +
                                  " playable cells; it needs more playable cells than mines.");
    }

    CopyText(name, MapName, MapNameCapacity);
    BoardWidth = width;
    BoardHeight = height;
    MineCount = mines;
    PlayableCount = runs.playable;
    std::memcpy(CoverState, StagedCover, sizeof(CoverState));
    report.playable = true;
    return report;
}

MapReadReport ReadMapFromPath(const char* path) {
    OpenedFile opened = OpenOrdinaryFile(path);
    if (opened.outcome != OpenOutcome::Opened) {
        MapReadReport report;
        report.unopenable = opened.outcome == OpenOutcome::Unopenable;
        report.missing = opened.missing;
        return Refuse(report, opened.why);
    }
    // Reading is linear, but a file of gigabytes would still keep the player
    // waiting for minutes before being refused: no map is anywhere near this.
    if (opened.size > LargestMapFileBytes) {
        std::fclose(opened.file);
        return Refuse(MapReadReport(), "The file is far too large to be a map.");
    }
    MapReadReport report = ReadMap(opened.file);
    std::fclose(opened.file);
    return report;
}

namespace {

// The first ".tvm" whose dot stands at `firstDot` or later (at least 1).
// Walking up from 0 means every position looked back at lies inside the text.
int32_t FindMapExtensionFrom(const char* text, int32_t firstDot) {
    for (int32_t i = 0; text[i] != '\0'; ++i) {
        if (i < firstDot + 3)
            continue;
        if (text[i - 3] == '.' && (text[i - 2] == 't' || text[i - 2] == 'T') &&
            (text[i - 1] == 'v' || text[i - 1] == 'V') && (text[i] == 'm' || text[i] == 'M')) {
            return i;
        }
    }
    return -1;
}

}  // namespace

int32_t FindMapExtension(const char* text) {
    // At least one character must stand before the dot.
    return FindMapExtensionFrom(text, 1);
}

void DeriveSettingsPath(const char* mapPath, char* settingsPath, size_t capacity) {
    if (capacity == 0)
        return;
    // Only the map's own file name is looked at: a ".tvm" in a folder's name
    // ("packs/pack.tvm/level.tvm") would otherwise lead to a file in another
    // folder, perhaps another map, which closing the game would overwrite.
    const char* lastSlash = std::strrchr(mapPath, '/');
    const int32_t fileName =
        lastSlash != nullptr ? static_cast<int32_t>(lastSlash - mapPath) + 1 : 0;
    const int32_t extension = FindMapExtensionFrom(mapPath, fileName > 1 ? fileName : 1);
    const size_t length = std::strlen(mapPath);
    // The settings file is written over whatever its path names, so it must
    // never be the map itself. A path that does not fit gets no settings
    // file at all rather than a cut one that could name some other file.
    const size_t needed = extension >= 0 ? length : length + std::strlen(AppendedSettingsSuffix);
    if (needed + 1 > capacity) {
        settingsPath[0] = '\0';
        return;
    }
    std::memcpy(settingsPath, mapPath, length + 1);
    if (extension >= 0) {
        settingsPath[extension] = 'h';
    } else {
        std::strcat(settingsPath, AppendedSettingsSuffix);
    }
}

void ResetMapFile() {
    MapPath[0] = '\0';
    SettingsPath[0] = '\0';
    MapName[0] = '\0';
}
