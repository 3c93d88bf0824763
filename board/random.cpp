// SPDX-License-Identifier: MIT
#include "board/random.h"

namespace {

uint32_t State = 0;

}  // namespace

void SeedRandom(uint32_t seed) {
    State = seed;
}

uint32_t RandomState() {
    return State;
}

int32_t NextRandom() {
    State = State * 214013u + 2531011u;  // wraps modulo 2^32
    return static_cast<int32_t>((State >> 16) & 0x7FFFu);
}

int32_t RandomInRange(int32_t low, int32_t high) {
    return low + NextRandom() % (high - low + 1);
}
