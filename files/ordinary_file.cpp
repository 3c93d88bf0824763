// SPDX-License-Identifier: MIT
#include "files/ordinary_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

OpenedFile OpenOrdinaryFile(const char* path) {
    OpenedFile opened;
    if (path[0] == '\0') {
        opened.why = "No file was named.";
        return opened;
    }
    // Looked at before opening: opening a pipe would wait for a writer.
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (error) {
        opened.missing = status.type() == fs::file_type::not_found;
        opened.why = opened.missing ? "The file does not exist." : error.message() + ".";
        return opened;
    }
    if (fs::is_directory(status)) {
        opened.outcome = OpenOutcome::NotOrdinary;
        opened.why = "This is a folder, not a file.";
        return opened;
    }
    if (!fs::is_regular_file(status)) {
        opened.outcome = OpenOutcome::NotOrdinary;
        opened.why = "This is a device or a pipe, not a file.";
        return opened;
    }
    opened.size = fs::file_size(path, error);
    opened.file = std::fopen(path, "r");
    if (opened.file == nullptr) {
        opened.why = std::string(std::strerror(errno)) + ".";
        return opened;
    }
    opened.outcome = OpenOutcome::Opened;
    return opened;
}
