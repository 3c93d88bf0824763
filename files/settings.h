// SPDX-License-Identifier: MIT
// The per-map settings file: the options and the best time (state/options.h)
// kept in a small text file beside the map, six comma-terminated fields
// ("? ON", "SOUND ON", "ANIMATION ON", the best time, its holder, a spare
// text). Read once at start-up; written when a new best time is stored, when
// its holder's name is complete, and when the window closes.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

// Reads SettingsPath; defaults when it is missing or not an ordinary file.
// When nothing at all is at SettingsPath, reads FallbackSettingsPath()
// instead. Over-long texts are cut to their buffers; a time above 999999
// reads as 999999; a file that ends before its best time keeps no record
// (999999 by "NO NAME"). Always 1.
int LoadSettings();

// Writes SettingsPath: a temporary file beside it, flushed to the disk, then
// renamed over the old one (and the folder flushed), only when every byte was
// written, so a failed save never destroys the previous file. A link is
// written through to the file it leads to. Writes nothing, and says nothing,
// when an existing settings file is read-only (no write bit in its mode) or
// not an ordinary file, or the link leads nowhere. When nothing is at
// SettingsPath and its folder takes no new file, writes
// FallbackSettingsPath() instead and says so once on standard error. Always 1.
int SaveSettings();

// Where the settings of a map whose folder cannot be written are kept: the
// player's data folder ("settings"), under the settings file's name marked
// with a short hash of the map's absolute path ("castle-1a2b3c4d.tvh").
// Empty without a map path or a data folder.
std::string FallbackSettingsPath();

// Whether the player has been told where the settings went; false again (tests).
extern bool SettingsElsewhereTold;
void ResetSettingsFile();

// Writes the text and one ','. 0, or -1 at the first failed write.
int WriteTextField(FILE* file, const char* text);

// Writes a non-negative number in decimal and one ','; a negative one is
// written as 0. 0, or -1 on failure.
int WriteNumberField(FILE* file, int32_t value);
