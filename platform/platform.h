// SPDX-License-Identifier: MIT
// The platform layer: everything the game needs from the machine it runs on.
//
// The game was designed around a Windows-style program: one window whose
// procedure receives messages, a millisecond tick count, a pointer that is
// read and put back every frame, a 640x480 screen of 256 palette colours and
// a handful of sound buffers. This header is that world in a small form, with
// the Windows message and key names and values kept so the game code reads
// the same on every system.
//
// Two backends implement it, chosen at link time:
//   platform/sdl       the real thing, on SDL2 (the only code that includes SDL)
//   platform/headless  a virtual machine for tests and the scripted runner:
//                      a clock that moves only when told, scripted input,
//                      recorded notices, frames and sound calls.
// Game code includes this header and never anything from a backend.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Messages and keys
// ---------------------------------------------------------------------------

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

constexpr uint32_t WM_CREATE = 0x0001;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr uint32_t WM_SETCURSOR = 0x0020;
constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes
// ('A' is 0x41, '0' is 0x30).
constexpr uint32_t VK_BACK = 0x08;
constexpr uint32_t VK_TAB = 0x09;
constexpr uint32_t VK_RETURN = 0x0D;
constexpr uint32_t VK_ESCAPE = 0x1B;
constexpr uint32_t VK_SPACE = 0x20;
constexpr uint32_t VK_LEFT = 0x25;
constexpr uint32_t VK_UP = 0x26;
constexpr uint32_t VK_RIGHT = 0x27;
constexpr uint32_t VK_DOWN = 0x28;
constexpr uint32_t VK_F1 = 0x70;
constexpr uint32_t VK_F2 = 0x71;
constexpr uint32_t VK_F3 = 0x72;
constexpr uint32_t VK_F4 = 0x73;
constexpr uint32_t VK_F5 = 0x74;
constexpr uint32_t VK_F6 = 0x75;
constexpr uint32_t VK_F7 = 0x76;
constexpr uint32_t VK_F8 = 0x77;
constexpr uint32_t VK_F9 = 0x78;
constexpr uint32_t VK_F10 = 0x79;
constexpr uint32_t VK_F11 = 0x7A;
constexpr uint32_t VK_F12 = 0x7B;

// The game has one window. A handle is an opaque pointer; null means none.
struct PlatformWindow;
using WindowHandle = PlatformWindow*;
using WindowProcedure = LRESULT (*)(WindowHandle window, uint32_t message, WPARAM wParam,
                                    LPARAM lParam);

struct Message {
    WindowHandle window;
    uint32_t message;
    WPARAM wParam;
    LPARAM lParam;
};

// ---------------------------------------------------------------------------
// Time
// ---------------------------------------------------------------------------

// Milliseconds since an arbitrary start; wraps at 2^32. Compare and subtract
// tick counts as unsigned values.
uint32_t GetTickCount();

// Waits about `milliseconds` without keeping a core busy. The headless
// backend advances its virtual clock by exactly that amount.
void WaitMilliseconds(uint32_t milliseconds);

// One clock reading per pass of the game's loop. Between HoldTickCount and
// ReleaseTickCount, the first GetTickCount reads the clock and every later
// one answers the same reading, so a pass sees one moment however long its
// frame takes to show; a game is then fully told by the readings of its
// passes, its pointer movements and its messages. HoldTickCountAt makes
// the held reading `ticks` (a replay gives its recorded readings). HeldTickCount
// is 1, with the reading, once one is held.
void HoldTickCount();
void HoldTickCountAt(uint32_t ticks);
int HeldTickCount(uint32_t* ticks);
void ReleaseTickCount();

// ---------------------------------------------------------------------------
// The window and its message queue
// ---------------------------------------------------------------------------

// Creates the game's full-screen window with the given title and the icon
// resource `iconName`. As on Windows, the procedure receives WM_ACTIVATEAPP
// (wParam 1) before this returns. Null when no window can be made.
WindowHandle CreateGameWindow(const char* title, WindowProcedure procedure, const char* iconName);

// Destroys the window; its procedure receives WM_DESTROY before this returns.
// 1 on success.
int DestroyWindow(WindowHandle window);

// 1 when a message waits in the queue; copies it without removing it.
// Never blocks. Events from the system are collected here.
int PeekMessage(Message* message);

// Removes the next message. Returns 0 when it is WM_QUIT, else 1. Call it only
// after PeekMessage reported a message, so it never blocks.
int GetMessage(Message* message);

// Keyboard translation is not needed by the game; kept for the loop's shape.
inline void TranslateMessage(const Message*) {}

// Hands the message to its window's procedure and returns the result.
LRESULT DispatchMessage(const Message* message);

// Appends a message to the queue. 1 on success.
int PostMessage(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam);

// Queues WM_QUIT carrying the exit code.
void PostQuitMessage(int exitCode);

// The default handling of a message the game does not handle itself.
LRESULT DefWindowProc(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam);

// ---------------------------------------------------------------------------
// Pointer
// ---------------------------------------------------------------------------

// The pointer in 640x480 screen units. Only its offset from the point last
// given to SetCursorPos matters to the game: movement is relative, and the
// system pointer itself is never shown.
void GetCursorPos(int32_t* x, int32_t* y);
void SetCursorPos(int32_t x, int32_t y);

// Hides the system pointer over the game window (WM_SETCURSOR's answer).
void HideSystemCursor();

// ---------------------------------------------------------------------------
// Notices and the open-file dialog
// ---------------------------------------------------------------------------

// A modal notice with a text, a caption and one OK button. `owner` may be
// null. A line of the text too long for any screen (a path, say) is shown
// shortened in its middle; where the notice is also written out in words
// (a log, standard error), it is written whole.
void MessageBox(WindowHandle owner, const char* text, const char* caption);

// Lets the player choose one existing map file. `path` holds the initial file
// name on entry (possibly empty: the dialog then opens in the current
// folder) and the chosen path on return. The filter shows files ending in
// ".tvm" in any letter case. Returns 1 when a file was chosen and fits in
// `capacity` bytes with its terminator, 0 when cancelled, and PathTooLong
// when the chosen path does not fit: `path` then holds as much of it as
// fits, to name it to the player, never to be opened.
constexpr int PathTooLong = -1;
int GetOpenFileName(char* path, size_t capacity);

// ---------------------------------------------------------------------------
// Display: a 640x480 screen of 8-bit palette indices
// ---------------------------------------------------------------------------

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

// Takes over the screen for an indexed display of the given size. 1 on success.
int OpenDisplay(WindowHandle window, int width, int height);

// Shows one frame: width x height indices (rows top to bottom, no padding)
// and the 256-entry palette they index. Paces presentation to the display,
// so the game's loop never spins faster than the screen refreshes. Null
// pixels: a frame was made but is not to be shown (a replay played faster
// than the screen can follow); the screen keeps the last one, no time is
// spent waiting for it, and the loop counts as busy, not idle.
void PresentFrame(const uint8_t* pixels, const PaletteEntry* palette);

void CloseDisplay();

// ---------------------------------------------------------------------------
// Sound voices
// ---------------------------------------------------------------------------

// A voice holds one clip of unsigned 8-bit mono samples (silence is 128).
// Playing once starts at the current position; at the clip's end the voice
// stops with its position back at 0. Looping plays on from the current
// position and wraps to the start. Stopping keeps the position. Several
// voices sound at once, mixed by the platform.
using VoiceHandle = int32_t;
constexpr VoiceHandle NoVoice = -1;

// How a voice is played. The game's sound slots use the same words.
enum PlayMode : int32_t {
    Stopped = 0,   // stop, keeping the position
    Once = 1,      // stop, then play once from the current position
    Looping = -1,  // play looping from the current position (no stop first)
};

// Opens the sound device. 1 when there is one; without it every voice
// operation below does nothing.
int OpenAudio(WindowHandle window);

// Makes a voice of `count` samples at `rate` samples per second. `name` is
// the clip's resource name, used in logs. NoVoice when it cannot be made.
VoiceHandle CreateVoice(const char* name, const uint8_t* samples, uint32_t count, uint32_t rate);

// Sets the voice's playback rate (0: the clip's own rate), then acts as `mode` says.
void PlayVoice(VoiceHandle voice, PlayMode mode, uint32_t frequency);

// Moves the voice's play position to the start of its clip.
void RewindVoice(VoiceHandle voice);

void DestroyVoice(VoiceHandle voice);
void CloseAudio();

// ---------------------------------------------------------------------------
// Resources built into the program
// ---------------------------------------------------------------------------

struct ResourceData {
    const uint8_t* bytes;
    size_t size;
};

// Finds a resource by name and type ("BITMAP", "WAVE", "ICON"), both matched
// without regard to letter case. A BITMAP holds its info header, colour table
// and pixels (no file header). 1 when found.
int FindResource(const char* name, const char* type, ResourceData* resource);
