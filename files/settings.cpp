#include "files/settings.h"

#include <cstring>

int32_t QuestionMarksOn = 1;
int32_t SoundOn = 1;
int32_t AnimationOn = 1;
int32_t HighScore = NoHighScore;
char HighScoreName[HighScoreNameCapacity] = "NO NAME";
char SpareText[SpareTextCapacity] = "";

void ResetSettings() {
    QuestionMarksOn = 1;
    SoundOn = 1;
    AnimationOn = 1;
    HighScore = NoHighScore;
    std::strcpy(HighScoreName, "NO NAME");
    SpareText[0] = '\0';
}
