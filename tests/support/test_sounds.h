// SPDX-License-Identifier: MIT
// The game's nine sound slots loaded with tiny clips, so that tests can read
// every cue the game makes from the headless log ("sound bang once", ...).
#pragma once

#include <cstdint>
#include <vector>

// A valid clip in the game's WAVE layout (44-byte header, 8-bit mono,
// 11025 Hz) with `samples` bytes of silence.
std::vector<uint8_t> MakeTestWave(uint32_t samples);

// Registers a tiny clip under each of the nine resource names ("bang", "do",
// "geco", "bgm", "jyan", "wao", "ya", "this", "bgmx"), opens the sound device
// and loads slots 0 to 8, then clears the log. The log names each voice by
// its resource name. Fails the test if a slot does not load.
void LoadTestSounds();
