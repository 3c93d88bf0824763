// SPDX-License-Identifier: MIT
// Controls of the headless backend, for tests and the scripted runner.
//
// The headless machine has a virtual clock that moves only when told (and by
// the game's own waits), a pointer moved by the script, input posted as
// window messages, scripted answers for the open dialog, and a display and a
// sound device that record what the game shows and plays instead of showing
// and playing it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// Back to a fresh machine: clock at 0, no window, empty queue and log, no
// dialog answers, pointer at (320, 240), display and sound available, no
// resource overrides, no frame shown yet.
void HeadlessReset();

// The virtual clock.
void HeadlessSetTicks(uint32_t ticks);
void HeadlessAdvanceTicks(uint32_t milliseconds);

// Moves the pointer by (dx, dy) screen units from where it is.
void HeadlessMovePointer(int32_t dx, int32_t dy);

// Posts an input message (a button, a key, an activation, a close request)
// to the game window, as the system would deliver it. Dropped when no window
// exists.
void HeadlessPostInput(uint32_t message, WPARAM wParam = 0, LPARAM lParam = 0);

// Answers for the open dialog, used in order; a dialog with no answer left is
// cancelled.
void HeadlessAddDialogAnswer(const std::string& path);
void HeadlessAddDialogCancel();

// Whether OpenDisplay and OpenAudio succeed.
void HeadlessSetDisplayAvailable(bool available);
void HeadlessSetAudioAvailable(bool available);
bool HeadlessDisplayIsOpen();
bool HeadlessAudioIsOpen();

// Resources that take the place of the embedded ones with the same name and
// type (tests use small sheets and clips of their own), or that hide one.
void HeadlessAddResource(const std::string& name, const std::string& type,
                         std::vector<uint8_t> bytes);
void HeadlessHideResource(const std::string& name, const std::string& type);

// Everything visible that happened, one line each, in order:
//   messagebox CAPTION | TEXT     (a line break in TEXT is written as \n)
//   dialog INITIAL -> ANSWER      (ANSWER is "cancel" when cancelled)
//   sound NAME once|loop|stop|rewind
const std::vector<std::string>& HeadlessLog();
void HeadlessClearLog();

// The last frame presented (640 x 480 indices and its palette).
uint64_t HeadlessFramesPresented();
const uint8_t* HeadlessFramePixels();
const PaletteEntry* HeadlessFramePalette();

// Writes the last frame as an 8-bit BMP with its palette. True on success.
bool HeadlessWriteFrameBmp(const std::string& path);

// The voices the game made, for tests: name, the clip as handed over, and
// whether the last call left it playing and looping.
struct HeadlessVoice {
    std::string name;
    std::vector<uint8_t> samples;
    uint32_t rate = 0;
    bool playing = false;
    bool looping = false;
};
const std::vector<HeadlessVoice>& HeadlessVoices();
