// SPDX-License-Identifier: MIT
// The game's one source of randomness: the classic linear congruential
// generator (state * 214013 + 2531011, bits 16..30 of the new state), written
// here so that a seed gives the same mine layouts on every platform.
// Mine placement, mine relocation and the voice cue all draw from it.
#pragma once

#include <cstdint>

// Sets the generator's 32-bit state.
void SeedRandom(uint32_t seed);

// The generator's state, as SeedRandom would set it (a replay keeps it).
uint32_t RandomState();

// Advances the state and returns a value from 0 to 32767.
int32_t NextRandom();

// low + NextRandom() % (high - low + 1); needs high >= low.
int32_t RandomInRange(int32_t low, int32_t high);
