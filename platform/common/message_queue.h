// SPDX-License-Identifier: MIT
// Shared by both backends: the window record and the message queue behind
// PeekMessage, GetMessage, PostMessage and DispatchMessage.
#pragma once

#include "platform/platform.h"

struct PlatformWindow {
    WindowProcedure procedure;
};

// Each backend defines this: it turns whatever the system has delivered since
// the last call into queued messages. Called by PeekMessage before it looks.
void CollectSystemEvents();

// Each backend defines this too: its clock, which GetTickCount reads
// (platform/common/pass_clock.cpp) unless a pass holds a reading.
uint32_t SystemTickCount();

// The one game window, or null. Backends set it on creation and clear it on
// destruction; input is posted to it.
WindowHandle CurrentGameWindow();
WindowHandle RegisterGameWindow(WindowProcedure procedure);
void UnregisterGameWindow();

// Empties the queue (tests and the headless backend's reset).
void ClearMessageQueue();

// Number of queued messages (tests).
size_t QueuedMessageCount();
