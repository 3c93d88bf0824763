// SPDX-License-Identifier: MIT
#include "board/clock.h"

#include "board/board.h"
#include "board/random.h"
#include "platform/platform.h"
#include "sound/cues.h"
#include "state/game_state.h"

uint32_t LastTick;
uint32_t StartTick;
uint32_t EndTick;
int32_t FacePhase;
int32_t FaceBlinkCount;
int32_t FaceBlinkDelay;
int32_t MusicCountdown;
int32_t VoiceCountdown;
int32_t WinVoiceCountdown;

namespace {

// After a win the face blinks three times after four steps, and the voice
// cue comes on the fourth step.
constexpr int32_t WinVoiceSteps = 4;
constexpr int32_t WinBlinkDelay = 4;
constexpr int32_t WinBlinkCycles = 3;

// Counts a countdown down by one step. True when this step brought it to 0;
// an idle countdown (-1) stays idle.
bool CountDown(int32_t* countdown) {
    if (*countdown <= -1)
        return false;
    --*countdown;
    return *countdown == 0;
}

// The board is complete: the mines still covered get their flags, the
// music stops and the game is won.
void CompleteWin() {
    for (int32_t x = 0; x < BoardWidth; ++x) {
        for (int32_t y = 0; y < BoardHeight; ++y) {
            const int32_t i = CellIndex(x, y);
            if (CellValue[i] != Mine)
                continue;
            if (CoverState[i] == Hidden || CoverState[i] == Questioned) {
                CoverState[i] = Flagged;  // ChangeTime stays: the flags appear without animating
                --MinesLeft;
            }
        }
    }
    CueStop(SoundBgm);
    ResultPending = NoResult;
    GameState = Won;
    WinVoiceCountdown = WinVoiceSteps;
    FaceBlinkDelay = WinBlinkDelay;
    FaceBlinkCount = WinBlinkCycles;
}

// One blink cycle is two steps: the alternate picture, then back.
void StepFace() {
    if (FaceBlinkDelay > 0) {
        --FaceBlinkDelay;
    } else if (FaceBlinkCount > 0) {
        if (FacePhase == 0) {
            FacePhase = 1;
        } else {
            FacePhase = 0;
            --FaceBlinkCount;
        }
    }
}

void StepGameCues() {
    if (CountDown(&MusicCountdown))
        CueLoopFromStart(SoundBgm);
    if (CountDown(&VoiceCountdown)) {
        // The choice is drawn whether or not sound is on, so the layouts of
        // later games do not depend on the sound option.
        const int32_t voice = RandomInRange(0, 1) == 1 ? SoundWao : SoundYa;
        CuePlayOnce(voice);
        VoiceCountdown = -1;
    }
}

void StepWinCue() {
    if (CountDown(&WinVoiceCountdown)) {
        CuePlayOnce(SoundThis);
        WinVoiceCountdown = -1;
    }
}

}  // namespace

void ClockStep() {
    if (ResultPending == LossSignalled)
        ResultPending = NoResult;
    if (ResultPending == WinPending)
        CompleteWin();

    // Elapsed time since the last step, in unsigned arithmetic, so the
    // steps keep their pace when the 32-bit tick count wraps around.
    if (GetTickCount() - LastTick <= ClockStepMilliseconds)
        return;
    LastTick = GetTickCount();

    StepFace();
    if (GameState == Ready || GameState == Playing)
        StepGameCues();
    if (GameState == Won)
        StepWinCue();
}

uint32_t ElapsedSeconds() {
    return (EndTick - StartTick) / 1000u;
}

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

// The start values are the reset values, written once, above.
static const bool ClockStarted = (ResetClock(), true);
