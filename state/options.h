// SPDX-License-Identifier: MIT
// The player's options and the best time on the map being played. The
// settings file keeps them between runs, but the rules, the sound cues, the
// picture and the name entry all read them, so they live here, below all of
// those; so do the options the command line gives for one run. Plain
// globals, one instance each.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t NoHighScore = 999999;
constexpr size_t HighScoreNameCapacity = 12;  // 11 characters and the terminator
constexpr size_t SpareTextCapacity = 16;      // 15 characters and the terminator

extern int32_t QuestionMarksOn;  // right-clicking a flag makes a question mark
extern int32_t SoundOn;          // cues and music start only when 1
extern int32_t AnimationOn;      // cells animate when 1
extern int32_t HighScore;        // best time in whole seconds, NoHighScore if none
extern char HighScoreName[HighScoreNameCapacity];
extern char SpareText[SpareTextCapacity];  // kept as found, for files of later versions

// 1: every game is laid out at its first opening so that it can be won by
// reasoning alone. It comes from the command line (--no-guess) and lasts
// for one run: no settings file keeps it.
extern int32_t NoGuessOn;

// The holder's name while there is no best time.
constexpr const char* NobodysName = "NO NAME";

// Forgets the best time on this map: no time, nobody's name, no spare text.
void ForgetHighScore();

// Back to the values at process start; also how they are set at start-up.
void ResetOptions();
