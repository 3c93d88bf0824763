#include "board/clock.h"

uint32_t LastTick = 0;
uint32_t StartTick = 0;
uint32_t EndTick = 0;
int32_t FacePhase = 0;
int32_t FaceBlinkCount = 0;
int32_t FaceBlinkDelay = 0;
int32_t MusicCountdown = 0;
int32_t VoiceCountdown = -1;
int32_t WinVoiceCountdown = -1;

uint32_t ElapsedSeconds() { return (EndTick - StartTick) / 1000u; }

void ResetClock() {
    LastTick = 0;
    StartTick = 0;
    EndTick = 0;
    FacePhase = 0;
    FaceBlinkCount = 0;
    FaceBlinkDelay = 0;
    MusicCountdown = 0;
    VoiceCountdown = -1;
    WinVoiceCountdown = -1;
}
