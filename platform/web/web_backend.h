// SPDX-License-Identifier: MIT
// What the pieces of the web backend share with one another, and the
// JavaScript functions they call (web_library.js). Nothing here is seen by
// the game, which knows only platform/platform.h.
#pragma once

#include <cstdint>
#include <string>

// --- the JavaScript side (web_library.js) ----------------------------------------

extern "C" {
// The page's clock: milliseconds since 1970, fractional, never going back.
double torvex_clock_now();

// The canvas: 1 when it has a 2D context, 640x480.
int torvex_display_open();
// Draws 640x480 pixels of four bytes each (red, green, blue, opaque).
void torvex_display_draw(const uint8_t* pixels);
void torvex_display_clear();
// Page pixels per game pixel, as the picture is drawn now.
double torvex_display_scale();

// The page's part (see web/page/page.js).
void torvex_page_set_status(const char* status);
int torvex_page_wait_ready();       // suspends until the page has read its address
int torvex_page_wait_for_choice();  // suspends until a map is chosen
int torvex_page_choice_waiting();
char* torvex_page_choice_name();               // malloc'd UTF-8; the caller frees it
uint8_t* torvex_page_choice_bytes(int* size);  // malloc'd; the caller frees it
int torvex_page_choice_shipped();
void torvex_page_choice_taken();
int torvex_page_notice(const char* caption, const char* text);  // suspends until dismissed
void torvex_page_toggle_fullscreen();
int torvex_page_canvas_focused();
void torvex_page_focus_canvas();
void torvex_page_schedule_next_game();

char* torvex_storage_read(const char* key);  // malloc'd UTF-8, or null
void torvex_storage_write(const char* key, const char* text);

// WebAudio: the context, at `preferredRate` where the browser allows it,
// every voice through a gain and then a limiter curve of `points` values
// over [-1, 1]; its rate (0 without sound), its clock in seconds, and the
// voices' buffers.
int torvex_audio_open(int preferredRate, double gain, const float* limiter, int points);
double torvex_audio_time();
int torvex_audio_add_clip(const float* samples, int count, int rate);
void torvex_audio_act(int voice, int stop, int start, double offset, int loop, double speed);
void torvex_audio_remove(int voice);
void torvex_audio_close();
}

// --- the window (web_window.cpp) -----------------------------------------------------

// Gives the pointer back for a notice or the map choice; the game is not
// deactivated by it.
void ReleasePointerForModal();

// --- the display (web_display.cpp) -------------------------------------------------

// Pictures put on the canvas so far (an unchanged frame is not drawn again).
uint64_t FramesDrawn();

// --- the page (web_page.cpp) -------------------------------------------------------

// The player's map choice, which must be waiting: written into the file
// system, the program's preparer called. Its path, or empty when it could
// not be written.
std::string PlaceChosenMap();

// The page is being hidden or closed: the program's handler runs.
void NotePageHidden();
