// SPDX-License-Identifier: MIT
// The map file: reading it into the Board, and deriving the path of the
// settings file beside it. Choosing which file to read is the shell's
// (app/load_map.h).
//
// A map is text: name, width, height, mines, then run lengths alternating
// playable and Void cells in row order, the first run playable; every field
// ends with ',' (numbers may also end with '/'); line breaks are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr size_t PathCapacity = 4096;
constexpr size_t MapNameCapacity = 32;  // 31 characters and the terminator

extern char MapPath[PathCapacity];
extern char SettingsPath[PathCapacity];
extern char MapName[MapNameCapacity];

// What reading a map found besides the Board itself.
struct MapReadReport {
    bool unopenable = false;  // the path names nothing this user can open
    bool missing = false;     // ... because nothing is there at all
    bool playable = false;    // false: refused, `problem` says why
    std::string problem;      // one sentence for the player, e.g. "The map has no playable cell."
    bool runsEndedEarly = false;  // the file ended before every cell had its kind
    bool runsPastGrid = false;    // run lengths or fields follow after the last cell
};

// Reads an open map file into MapName and the map's part of the Board (size,
// mines, playable count, the Hidden/Void cover of every cell; cells outside
// the map are zeroed). Refuses a header cut short by the end of the file, a
// width or height outside 1..300, a map without a playable cell, and one
// with no fewer mines than playable cells; a refused map leaves the Board and
// MapName as they were. Runs cut short by the end of the file leave the rest
// of the grid Void. A name longer than 31 characters is cut.
MapReadReport ReadMap(FILE* file);

// Opens `path` and reads it with ReadMap. A path that cannot be opened is
// refused as `unopenable`; a folder, device or pipe is refused unread.
MapReadReport ReadMapFromPath(const char* path);

// Position of the last letter of the first ".tvm" (any letter case) that has
// at least one character before it, or -1.
int32_t FindMapExtension(const char* text);

// The settings path of a map path: the last letter of the first ".tvm" in the
// map's file name (not its folders) replaced by a lower-case 'h'; a file name
// without the extension gets ".tvh" appended, so the
// two can never be the same file. Empty (no settings file) when that does not
// fit in `capacity`.
void DeriveSettingsPath(const char* mapPath, char* settingsPath, size_t capacity);

// No map, no settings path, no name: the values at process start (tests).
void ResetMapFile();
