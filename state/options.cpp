// SPDX-License-Identifier: MIT
#include "state/options.h"

#include <cstring>

int32_t QuestionMarksOn;
int32_t SoundOn;
int32_t AnimationOn;
int32_t HighScore;
char HighScoreName[HighScoreNameCapacity];
char SpareText[SpareTextCapacity];
int32_t NoGuessOn;

void ForgetHighScore() {
    HighScore = NoHighScore;
    std::strcpy(HighScoreName, NobodysName);
    SpareText[0] = '\0';
}

void ResetOptions() {
    QuestionMarksOn = 1;
    SoundOn = 1;
    AnimationOn = 1;
    ForgetHighScore();
    NoGuessOn = 0;
}

// The start values are the reset values, written once, above.
static const bool OptionsStarted = (ResetOptions(), true);
