// SPDX-License-Identifier: MIT
#include "tests/files/file_text.h"

FilePointer TextAsFile(const std::string& text) {
    FilePointer file(std::tmpfile());
    if (file) {
        std::fwrite(text.data(), 1, text.size(), file.get());
        std::rewind(file.get());
    }
    return file;
}
