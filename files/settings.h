// SPDX-License-Identifier: MIT
// The per-map settings file: the options and the best time (state/options.h)
// kept in a small text file beside the map, six comma-terminated fields
// ("? ON", "SOUND ON", "ANIMATION ON", the best time, its holder, a spare
// text). Read once at start-up, written once when the window closes.
#pragma once

#include <cstdint>
#include <cstdio>

// Reads SettingsPath; defaults when it is missing or not an ordinary file.
// Over-long texts are cut to their buffers; a time above 999999 reads as
// 999999; a file that ends before its best time keeps no record (999999 by
// "NO NAME"). Always 1.
int LoadSettings();

// Writes SettingsPath. Writes a temporary file beside it and renames it over
// the old one only when every byte was written, so a failed save never
// destroys the previous file. Writes nothing, and says nothing, when the
// folder or an existing settings file is read-only. Always 1.
int SaveSettings();

// Writes the text and one ','. 0, or -1 at the first failed write.
int WriteTextField(FILE* file, const char* text);

// Writes a non-negative number in decimal and one ','; a negative one is
// written as 0. 0, or -1 on failure.
int WriteNumberField(FILE* file, int32_t value);
