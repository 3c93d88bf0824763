// SPDX-License-Identifier: MIT
// Pictures of fields, the input of `torvex-map make`. Three kinds are read:
//
//   text art     one line per row, '#' a playable cell, '.' a Void cell
//   PBM or PGM   a black-and-white or grey image (P1, P4, P2, P5)
//   BMP          an uncompressed 8-bit image with a colour table
//
// In an image every pixel is one cell and dark pixels are playable. The kind
// is told by the file's first bytes, not by its name. Every reader refuses
// what it cannot read exactly, with the reason in plain words, rather than
// guess: a map that silently differs from its picture is worse than none.
#pragma once

#include <string>

#include "tools/map/field.h"

// Reads the picture in `path`. True with the field, or false with the reason.
bool ReadPicture(const std::string& path, Field* field, std::string* problem);

// The same for a picture already in memory, whatever its kind.
bool ReadPictureBytes(const std::string& bytes, Field* field, std::string* problem);

// The three readers, each for its own kind only.
bool ReadTextArt(const std::string& text, Field* field, std::string* problem);
bool ReadNetpbm(const std::string& bytes, Field* field, std::string* problem);
bool ReadBmp(const std::string& bytes, Field* field, std::string* problem);
