// SPDX-License-Identifier: MIT
// Files with given contents for the tests of the map and settings readers.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePointer = std::unique_ptr<FILE, FileCloser>;

// An anonymous file holding `text`, positioned at its start.
FilePointer TextAsFile(const std::string& text);
