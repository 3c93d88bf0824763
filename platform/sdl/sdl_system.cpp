// SPDX-License-Identifier: MIT
// Starting SDL lazily, and the clock, which needs no SDL at all.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/common/message_queue.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"

bool StartSdl(Uint32 flags, const char* purpose) {
    if (SDL_InitSubSystem(flags) == 0)
        return true;
    std::fprintf(stderr, "torvex: cannot start %s: %s\n", purpose, SDL_GetError());
    return false;
}

void StopSdl(Uint32 flags) {
    SDL_QuitSubSystem(flags);
    // With the last subsystem gone, let SDL put back everything it changed
    // (screen saver, signal handlers) and free its own state.
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

bool NoDisplayFound() {
    const char* chosen = std::getenv("SDL_VIDEODRIVER");
    if (chosen != nullptr && chosen[0] != '\0')
        return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr ||
        (std::strcmp(driver, "offscreen") != 0 && std::strcmp(driver, "dummy") != 0)) {
        return false;
    }
    std::fputs("torvex: no display found (is DISPLAY or WAYLAND_DISPLAY set?)\n", stderr);
    return true;
}

bool DisplayFound() {
    if (SDL_WasInit(SDL_INIT_VIDEO) != 0)
        return !NoDisplayFound();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return true;
    const bool found = !NoDisplayFound();
    StopSdl(SDL_INIT_VIDEO);
    return found;
}

// The tick count runs from the system's start, as the game's clock always
// has, rather than from the program's: the game seeds its random mine
// layouts from it, and a count that started with the program would give
// nearly the same seed at every start.
uint32_t SystemTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t milliseconds =
        static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(milliseconds);
}

void WaitMilliseconds(uint32_t milliseconds) {
    timespec rest{static_cast<time_t>(milliseconds / 1000),
                  static_cast<long>(milliseconds % 1000) * 1000000L};
    // A signal may cut the sleep short; sleep out the remainder.
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}
