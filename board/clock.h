// SPDX-License-Identifier: MIT
// The game clock: elapsed time of a game, and the 100 ms steps that drive
// everything that happens some time after its cause (the status face's
// blinking, the music's start, the voice cues, the completion of a win).
#pragma once

#include <cstdint>

extern uint32_t LastTick;   // tick count of the last clock step
extern uint32_t StartTick;  // tick count when the game went from Ready to Playing
extern uint32_t EndTick;    // tick count of the last frame composed while Playing

extern int32_t FacePhase;       // which of the two face pictures is shown, 0 or 1
extern int32_t FaceBlinkCount;  // blink cycles still to run
extern int32_t FaceBlinkDelay;  // clock steps to wait before blinking

// Countdowns in clock steps; -1 is idle, they fire when a step brings them to 0.
extern int32_t MusicCountdown;
extern int32_t VoiceCountdown;
extern int32_t WinVoiceCountdown;

// The interval of a clock step: a step runs once more than this has passed.
constexpr uint32_t ClockStepMilliseconds = 100;

// Completes a pending win, then runs one clock step if one is due.
// Called once per pass of the main loop, after the frame is shown.
void ClockStep();

// Elapsed whole seconds of the current game: (EndTick - StartTick) / 1000.
uint32_t ElapsedSeconds();

// Back to the values at process start; also how they are set at start-up.
void ResetClock();
