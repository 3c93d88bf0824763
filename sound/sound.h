// SPDX-License-Identifier: MIT
// The nine sound slots: seven cues and two pieces of music, loaded once at
// start-up from the program's WAVE resources and then only started, stopped
// and rewound. Callers decide whether to sound at all (SoundOn); nothing
// here looks at it.
#pragma once

#include <cstdint>

#include "platform/platform.h"

enum SoundSlot : int32_t {
    SoundBang = 0,  // "bang": a mine explodes
    SoundDo = 1,    // "do": click of menus, options, marks, name entry
    SoundGeco = 2,  // "geco": cells open
    SoundBgm = 3,   // "bgm": music of a game, looped
    SoundJyan = 4,  // "jyan": a game starts
    SoundWao = 5,   // "wao": voice cue after a good move
    SoundYa = 6,    // "ya": voice cue after a good move
    SoundThis = 7,  // "this": voice cue after a win
    SoundBgmx = 8,  // "bgmx": music of the name-entry screen, looped
};
constexpr int32_t SoundSlotCount = 10;  // slots 0..8 are used
constexpr int32_t LoadedSlotCount = 9;

// The resource name of each used slot, in slot order.
extern const char* const SoundResourceNames[LoadedSlotCount];

extern int32_t SoundDevice;                     // 1 once the device is open
extern VoiceHandle SoundSlots[SoundSlotCount];  // NoVoice: empty slot

// Opens the sound device. 1 when there is one.
int InitSound(WindowHandle window);

// Loads a WAVE resource into a slot. 1 when the sound is intact (and, with
// a device, loaded); 0 for a missing or damaged resource, the slot then empty.
int LoadWave(int32_t slot, const char* name);

// Stopped: stop. Once: stop, then play from the current position. Looping:
// play looping. `frequency` 0 is the sound's own rate.
void PlaySlot(int32_t slot, PlayMode mode, uint32_t frequency);

// Back to the start of the sound.
void RewindSlot(int32_t slot);

void ReleaseSound();

// Back to the values at process start; also how they are set at start-up.
void ResetSound();
