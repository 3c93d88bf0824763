// SPDX-License-Identifier: MIT
// The per-map settings and best time, kept in a small text file beside the
// map: six comma-terminated fields ("? ON", "SOUND ON", "ANIMATION ON", the
// best time, its holder, a spare text). Read once at start-up, written once
// when the window closes.
#pragma once

#include <cstdint>
#include <cstdio>

constexpr int32_t NoHighScore = 999999;
constexpr size_t HighScoreNameCapacity = 12;  // 11 characters and the terminator
constexpr size_t SpareTextCapacity = 16;      // 15 characters and the terminator

extern int32_t QuestionMarksOn;  // right-clicking a flag makes a question mark
extern int32_t SoundOn;          // cues and music start only when 1
extern int32_t AnimationOn;      // cells animate when 1
extern int32_t HighScore;        // best time in whole seconds, NoHighScore if none
extern char HighScoreName[HighScoreNameCapacity];
extern char SpareText[SpareTextCapacity];  // kept as found, for files of later versions

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

// Back to the values at process start (tests).
void ResetSettings();
