// SPDX-License-Identifier: MIT

#include "files/data_folder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>

namespace {

bool IsAbsolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// "/home/ann/" and "/home/ann" are the same folder; "/" becomes "".
std::string WithoutTrailingSlashes(std::string path) {
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

}  // namespace

std::string DataFolder(const char* part) {
    std::string base;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (IsAbsolute(dataHome)) {
        base = WithoutTrailingSlashes(dataHome);
    } else {
        const char* home = std::getenv("HOME");
        if (!IsAbsolute(home))
            return std::string();
        base = WithoutTrailingSlashes(home) + "/.local/share";
    }
    return base + "/torvex/" + part;
}

bool MakeDataFolder(const std::string& folder) {
    if (folder.empty() || folder[0] != '/')
        return false;
    // One level at a time from the top, so a missing ~/.local/share is made
    // too. Folders that exist keep their modes; new ones are the player's alone.
    for (std::string::size_type slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            break;
    }
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
