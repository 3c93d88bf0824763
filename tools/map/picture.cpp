// SPDX-License-Identifier: MIT
#include "tools/map/picture.h"

#include <fstream>
#include <iterator>

namespace {

// Far more than any picture of a 300 x 300 field needs (the largest, a plain
// PGM with five-digit values, is about half a megabyte), and small enough
// that a wrong file named by mistake is refused before it is read whole.
constexpr std::streamoff MaxPictureBytes = 16 * 1024 * 1024;

}  // namespace

bool ReadPicture(const std::string& path, Field* field, std::string* problem) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        *problem = "cannot open the picture " + path;
        return false;
    }
    const std::streamoff size = in.tellg();
    if (size < 0 || size > MaxPictureBytes) {
        *problem = path + " is too large to be a picture of a field";
        return false;
    }
    in.seekg(0);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) {
        *problem = "cannot read the picture " + path;
        return false;
    }
    return ReadPictureBytes(bytes, field, problem);
}

bool ReadPictureBytes(const std::string& bytes, Field* field, std::string* problem) {
    if (bytes.size() >= 2 && bytes[0] == 'P' && bytes[1] >= '0' && bytes[1] <= '9') {
        return ReadNetpbm(bytes, field, problem);
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return ReadBmp(bytes, field, problem);
    }
    return ReadTextArt(bytes, field, problem);
}
