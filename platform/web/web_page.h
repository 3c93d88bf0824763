// SPDX-License-Identifier: MIT
// What the web backend offers the program that runs the game on a page,
// beside platform/platform.h: the page's map choice, its local storage, and
// a main loop driven by the browser's animation frames.
//
// A page cannot block. The game's waits (the start-up pause, the map choice,
// a notice) suspend the program until the browser calls it back, and the
// main loop runs one pass per animation frame instead of spinning.
#pragma once

#include <string>

// Called when the player's chosen map has been written into the page's file
// system at `mapPath` and before the game reads it, with the name of the
// map's entry in the page's storage (see page_storage.h), so the program can
// put the map's stored settings in their place.
using MapPreparer = void (*)(const char* mapPath, const std::string& storageKey);
void SetMapPreparer(MapPreparer preparer);

// The map chosen on the page (or, at the first start, named in the page's
// address) and not yet played, written into the file system: its path, as
// the desktop's command line would give it. Empty when none is waiting; the
// game then asks for one (GetOpenFileName waits for the player's choice).
std::string TakeChosenMapPath();

// The program on the page defines these two, and the backend calls them:
// StartPageGame runs a game's start-up (it may wait for the player) and
// returns 0 when no game can run at all; RunPagePass runs one pass of its
// main loop and returns 0 once the game has closed. They are called
// directly, not through pointers, so that only the start-up's calls need
// to be able to wait.
int StartPageGame();
int RunPagePass();

// Runs games on the page, one after another: StartPageGame, then
// RunPagePass once per animation frame until it returns 0; then the next.
// Returns at once; the browser runs the rest.
void RunGamesOnPage();

// Called when the page is hidden (another tab, a minimised window) or closed.
void SetPageHiddenHandler(void (*handler)());

// The browser's local storage of this site. Read is false when the entry
// does not exist or local storage cannot be had (a private window may
// refuse it); a write that cannot be made is dropped.
bool ReadPageStorage(const std::string& key, std::string* text);
void WritePageStorage(const std::string& key, const std::string& text);
