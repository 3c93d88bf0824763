// SPDX-License-Identifier: MIT
// The game state as one JSON object, for scripts, tests and bots. Keys are
// the names of the game's own globals; the Board's layers are arrays of row
// strings (CellValue '0'..'8' or 'M'; CoverState 'H' Hidden, 'O' Open,
// 'F' Flagged, '?' Questioned, ' ' Void).
#pragma once

#include <string>

std::string GameStateJson();

// Writes GameStateJson() and a line break to `path`. False when it cannot.
bool WriteGameStateJson(const std::string& path);

// A text as a JSON string literal, quotes included. Bytes above 127 are
// taken as Latin-1 characters, so any text gives valid JSON.
std::string JsonString(const char* text);
