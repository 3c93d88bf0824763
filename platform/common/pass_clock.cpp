// SPDX-License-Identifier: MIT
// GetTickCount for every backend: the backend's own clock, or the reading
// held for the pass the game's loop is in.
#include "platform/common/message_queue.h"

namespace {

enum class Hold { None, Waiting, Held };

Hold ClockHold = Hold::None;
uint32_t HeldTicks = 0;

}  // namespace

uint32_t GetTickCount() {
    if (ClockHold == Hold::Held)
        return HeldTicks;
    const uint32_t now = SystemTickCount();
    if (ClockHold == Hold::Waiting) {
        HeldTicks = now;
        ClockHold = Hold::Held;
    }
    return now;
}

void HoldTickCount() {
    ClockHold = Hold::Waiting;
}

void HoldTickCountAt(uint32_t ticks) {
    HeldTicks = ticks;
    ClockHold = Hold::Held;
}

int HeldTickCount(uint32_t* ticks) {
    if (ClockHold != Hold::Held)
        return 0;
    *ticks = HeldTicks;
    return 1;
}

void ReleaseTickCount() {
    ClockHold = Hold::None;
}
