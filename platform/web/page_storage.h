// SPDX-License-Identifier: MIT
// The page's storage of the per-map settings: what an entry is called and
// what it holds. Plain code, tested without a browser.
//
// On the desktop every map has a settings file beside it. A page has no
// folder to keep it in, so the same bytes live in the browser's local
// storage, one entry per map, and are written back into the settings file's
// place before the game reads it. A map is known by its file name and a
// hash of its bytes: a map edited under the same name starts afresh, and
// two copies of one map share their best time.
#pragma once

#include <cstdint>
#include <string>

// FNV-1a, 64 bits: the hash of a map's bytes.
uint64_t HashMapBytes(const std::string& bytes);

// The entry's name: "torvex-settings " + the file name + " " + 16 hex digits.
std::string MapStorageKey(const std::string& fileName, const std::string& mapBytes);

// Local storage keeps text, the settings file bytes. The entry holds the
// file's text character for character: each byte is the character of that
// number (so the usual file, plain ASCII, is its own entry), written as
// UTF-8 on its way through the browser's string functions.
std::string StorageEntryFromFile(const std::string& fileBytes);

// The settings file held by an entry. False, leaving `fileBytes` empty, for
// an entry the game never wrote: a character above 255, broken UTF-8, or more
// than a settings file can hold.
bool FileFromStorageEntry(const std::string& entry, std::string* fileBytes);

// The longest settings file an entry may hold; the real one is under 100 bytes.
constexpr size_t LargestStoredSettings = 4096;
