// SPDX-License-Identifier: MIT
// Opening the game's own files for reading, but only when the path names an
// ordinary file. A folder opens on this system but reads as empty, and a
// device or a pipe could block the game or feed it endless bytes, so neither
// is ever read as a map or a settings file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

enum class OpenOutcome {
    Opened,       // the file is open for reading
    Unopenable,   // missing, or not readable by this user
    NotOrdinary,  // it exists but is a folder, a device or a pipe
};

struct OpenedFile {
    FILE* file = nullptr;  // set only when `outcome` is Opened; the caller closes it
    OpenOutcome outcome = OpenOutcome::Unopenable;
    bool missing = false;  // Unopenable because nothing is there at all
    uintmax_t size = 0;    // bytes, when Opened
    std::string why;  // plain words for anything but Opened, e.g. "This is a folder, not a file."
};

// Opens `path` in text mode for reading when it is an ordinary file.
OpenedFile OpenOrdinaryFile(const char* path);
