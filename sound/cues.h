// SPDX-License-Identifier: MIT
// Sound cues as the game makes them. A cue sounds only while the player has
// sound switched on, and each one checks the option at the moment it is made:
// the sound slots themselves never look at it. The few sounds that must be
// made whatever the option (stopping the explosion on leaving a lost game,
// the click that confirms switching sound on) call the slots directly.
#pragma once

#include <cstdint>

#include "sound/sound.h"
#include "state/options.h"

// Plays a slot once from where it stands (a clip that ran to its end starts over).
inline void CuePlayOnce(int32_t slot) {
    if (SoundOn == 1)
        PlaySlot(slot, Once, 0);
}

// Plays a slot once from its very beginning.
inline void CueRestart(int32_t slot) {
    if (SoundOn == 1) {
        RewindSlot(slot);
        PlaySlot(slot, Once, 0);
    }
}

// Starts a piece of music from its beginning and keeps it looping.
inline void CueLoopFromStart(int32_t slot) {
    if (SoundOn == 1) {
        RewindSlot(slot);
        PlaySlot(slot, Looping, 0);
    }
}

inline void CueStop(int32_t slot) {
    if (SoundOn == 1)
        PlaySlot(slot, Stopped, 0);
}
