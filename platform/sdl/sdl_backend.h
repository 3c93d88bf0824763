// SPDX-License-Identifier: MIT
// What the pieces of the SDL2 backend share with one another. Nothing here
// is seen by the game, which knows only platform/platform.h.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

// --- start-up (sdl_system.cpp) -------------------------------------------------

// Starts the SDL subsystems in `flags` if they are not running yet. SDL is
// started lazily: the game may ask for its map and show a notice before any
// window exists. Each call is balanced by StopSdl with the same flags.
// False (with the reason on standard error) when they cannot start.
bool StartSdl(Uint32 flags, const char* purpose);
void StopSdl(Uint32 flags);

// With SDL's video running: true when the player chose no video driver and
// SDL, finding no screen, fell back to one that shows nothing (offscreen,
// dummy). The game would then run unseen; this tells the player so on
// standard error. A driver named in SDL_VIDEODRIVER is always taken as
// meant (tests and servers ask for the dummy one).
bool NoDisplayFound();

// Whether the game could show anything at all: starts SDL's video for a
// moment when it is not running and asks NoDisplayFound. True when video
// cannot even start, leaving the judgement to what comes next.
bool DisplayFound();

// --- the window (sdl_window.cpp) ---------------------------------------------

// The game's SDL window, or null before CreateGameWindow and after
// DestroyWindow.
SDL_Window* GameSdlWindow();

// Switches between the fullscreen desktop and a window (Alt+Enter).
void ToggleFullscreen();

// With SDL's video running on X11: whether a window manager looks after the
// screen, and so carries out the game's fullscreen request (window_manager.cpp).
// False on any other video driver.
bool WindowManagerRunning();

// Lets the system pointer go for a modal box or dialog and takes it back
// afterwards; the motion made meanwhile is dropped.
void ReleasePointerForModal();
void CapturePointerAfterModal();

// --- which rasteriser OpenGL uses here (renderer_probe.cpp) --------------------

// Starts a helper that reads the OpenGL renderer string in a process of its
// own, so the game never loads OpenGL to learn it. Called when the window
// opens; a second call while one runs does nothing.
void StartRendererProbe();

// The helper's answer, waiting for it at most `timeoutMilliseconds`; the
// helper is gone afterwards. False (and `answer` empty) when none was
// started, OpenGL could not be had, or it did not answer in time.
bool RendererProbeAnswer(int timeoutMilliseconds, std::string* answer);

// Ends a helper whose answer is no longer wanted.
void CancelRendererProbe();

// --- the display (sdl_display.cpp) -----------------------------------------

// Window pixels per game pixel, for scaling relative mouse motion into
// 640x480 units; 1 while no display is open.
double GamePixelScale();

// Frames put on the screen so far.
uint64_t FramesShown();

// Frames the game has handed over so far, shown or, being the frame on the
// screen already, left as they were. Each was paced to the display, so a
// pass that hands over none may rest while it polls.
uint64_t FramesPaced();

// The screen no longer holds the last frame shown (the window was exposed,
// resized or restored): the next frame is shown whatever it is.
void ForgetShownFrame();

// Whether TORVEX_DEBUG asks for the backend's choices on standard error.
bool DebugOutputWanted();

// The renderer lost its textures (a device reset); the display makes them
// again before the next frame.
void NoteRenderDeviceReset();

// --- the sound device (sdl_audio.cpp) ------------------------------------------

// The open device's sample rate and channel count (16-bit samples). False
// while no device is open.
bool AudioDeviceFormat(int* rate, int* channels);
