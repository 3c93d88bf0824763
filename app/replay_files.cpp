// SPDX-License-Identifier: MIT
#include "app/replay_files.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "files/data_folder.h"

namespace {

bool AllDigits(const std::string& text, size_t count) {
    if (text.size() != count)
        return false;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

// A whole number of at most nine digits, no sign, no leading zero but "0".
bool SmallNumber(const std::string& text, uint32_t* value) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0'))
        return false;
    uint32_t result = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
        result = result * 10 + static_cast<uint32_t>(c - '0');
    }
    *value = result;
    return true;
}

std::vector<std::string> SplitDashes(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t dash = text.find('-', start);
        parts.push_back(text.substr(start, dash - start));
        if (dash == std::string::npos)
            return parts;
        start = dash + 1;
    }
}

bool WriteWhole(const std::string& path, const std::string& text, std::string* error) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        *error = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        *error = std::strerror(written ? errno : writeError);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

bool Exists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

}  // namespace

std::string ReplayMapPart(const char* mapName) {
    std::string part;
    for (const char* c = mapName; c != nullptr && *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        part += byte < 0x80 && std::isalnum(byte) ? *c : '_';
    }
    return part.empty() ? "map" : part;
}

std::string ReplayFileName(const char* mapName, std::time_t when, bool won, uint32_t seconds) {
    std::tm local{};
    localtime_r(&when, &local);
    char stamp[32];
    std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", &local);
    return ReplayMapPart(mapName) + "-" + stamp + (won ? "-won-" : "-lost-") +
           std::to_string(seconds) + "s.tvr";
}

bool ParseReplayFileName(const std::string& name, KeptReplayName* parsed) {
    const std::string extension = ".tvr";
    if (name.size() <= extension.size() ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0) {
        return false;
    }
    const std::vector<std::string> parts =
        SplitDashes(name.substr(0, name.size() - extension.size()));
    if (parts.size() != 5 && parts.size() != 6)
        return false;
    KeptReplayName result;
    result.map = parts[0];
    if (result.map.empty() || ReplayMapPart(result.map.c_str()) != result.map)
        return false;
    if (!AllDigits(parts[1], 8) || !AllDigits(parts[2], 6))
        return false;
    result.stamp = parts[1] + "-" + parts[2];
    if (parts[3] != "won" && parts[3] != "lost")
        return false;
    result.won = parts[3] == "won";
    const std::string& time = parts[4];
    if (time.size() < 2 || time.back() != 's' ||
        !SmallNumber(time.substr(0, time.size() - 1), &result.seconds)) {
        return false;
    }
    if (parts.size() == 6 && (!SmallNumber(parts[5], &result.copy) || result.copy < 2))
        return false;
    *parsed = result;
    return true;
}

bool KeepReplay(const std::string& folder, const std::string& fileName, const std::string& text,
                std::string* error) {
    if (!MakeDataFolder(folder)) {
        *error = "cannot make the folder";
        return false;
    }
    // A second game finished in the same second gets its own name.
    const std::string stem = fileName.substr(0, fileName.size() - 4);
    std::string target = folder + "/" + fileName;
    for (int copy = 2; Exists(target); ++copy) {
        if (copy > 99) {
            *error = "too many games in one second";
            return false;
        }
        target = folder + "/" + stem + "-" + std::to_string(copy) + ".tvr";
    }
    // Written whole beside it first: a game cut off half-way never leaves
    // half a replay under a replay's name.
    const std::string temporary = folder + "/.replay-" + std::to_string(getpid()) + ".tmp";
    if (!WriteWhole(temporary, text, error))
        return false;
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        *error = std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    PruneReplays(folder);
    return true;
}

void PruneReplays(const std::string& folder) {
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr)
        return;
    std::vector<std::pair<std::string, KeptReplayName>> ours;
    while (const dirent* entry = readdir(directory)) {
        KeptReplayName parsed;
        if (ParseReplayFileName(entry->d_name, &parsed))
            ours.emplace_back(entry->d_name, parsed);
    }
    closedir(directory);

    // Newest first: by the moment, then by the copy number.
    std::sort(ours.begin(), ours.end(), [](const auto& a, const auto& b) {
        if (a.second.stamp != b.second.stamp)
            return a.second.stamp > b.second.stamp;
        return a.second.copy > b.second.copy;
    });
    std::set<std::string> kept;
    for (size_t i = 0; i < ours.size() && i < static_cast<size_t>(KeptLatest); ++i)
        kept.insert(ours[i].first);

    // The best of each map: the shortest times, the earlier of two equal ones.
    std::map<std::string, std::vector<const std::pair<std::string, KeptReplayName>*>> wonByMap;
    for (const auto& replay : ours) {
        if (replay.second.won)
            wonByMap[replay.second.map].push_back(&replay);
    }
    for (auto& [map, won] : wonByMap) {
        std::sort(won.begin(), won.end(), [](const auto* a, const auto* b) {
            if (a->second.seconds != b->second.seconds)
                return a->second.seconds < b->second.seconds;
            if (a->second.stamp != b->second.stamp)
                return a->second.stamp < b->second.stamp;
            return a->second.copy < b->second.copy;
        });
        for (size_t i = 0; i < won.size() && i < static_cast<size_t>(KeptBestPerMap); ++i)
            kept.insert(won[i]->first);
    }
    for (const auto& replay : ours) {
        if (kept.count(replay.first) == 0)
            std::remove((folder + "/" + replay.first).c_str());
    }
}
