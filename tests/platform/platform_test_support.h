// The SDL backend's tests run on SDL's virtual devices: a dummy display and
// a dummy sound device, with no desktop to show a box or a dialog on, so
// they behave the same on a developer's desktop and on a build server.
#pragma once

#include <cstdlib>

inline void UseVirtualDevices() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
}
