// SPDX-License-Identifier: MIT
// SHA-256 of a file's bytes: a replay names the map it was played on by the
// hash of its bytes, so a replay is never shown on a map that has changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The hash of `size` bytes, as 64 lower-case hexadecimal digits.
std::string Sha256Hex(const uint8_t* bytes, size_t size);

// The hash of a whole file's bytes; false when it cannot be read.
bool Sha256OfFile(const char* path, std::string* hex);
