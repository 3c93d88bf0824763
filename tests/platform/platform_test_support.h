// SPDX-License-Identifier: MIT
// What the platform's tests share: the rate of the game's sound clips, a
// test tone at that rate, and SDL's virtual devices.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

constexpr uint32_t ClipRate = 11025;

// A sine of `frequency` Hz at `amplitude` (1 is full scale) as 8-bit clip samples.
inline std::vector<uint8_t> Tone(double frequency, double amplitude, size_t count) {
    std::vector<uint8_t> samples(count);
    for (size_t n = 0; n < count; ++n) {
        const double level = amplitude * std::sin(2.0 * M_PI * frequency * n / ClipRate);
        samples[n] = static_cast<uint8_t>(std::lrint(128.0 + 127.0 * level));
    }
    return samples;
}

// The SDL backend's tests run on SDL's virtual devices: a dummy display and
// a dummy sound device, with no desktop to show a box or a dialog on, so
// they behave the same on a developer's desktop and on a build server.
inline void UseVirtualDevices() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
}
