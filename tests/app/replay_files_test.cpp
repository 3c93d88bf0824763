// SPDX-License-Identifier: MIT
// The replay folder: names, the temporary file and the rename, pruning.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "app/replay_files.h"
#include "tests/support/game_fixture.h"

namespace {

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

void Touch(const std::string& path) {
    std::ofstream(path) << "x";
}

// A name of ours for game `n` of a map, `n` seconds after midnight on day `day`.
std::string Name(const std::string& map, int day, int n, bool won, int seconds) {
    char stamp[32];
    std::snprintf(stamp, sizeof(stamp), "202612%02d-%02d%02d%02d", day, n / 3600, n / 60 % 60,
                  n % 60);
    return map + "-" + stamp + (won ? "-won-" : "-lost-") + std::to_string(seconds) + "s.tvr";
}

TEST(ReplayFiles, NamesSayMapMomentResultAndTime) {
    setenv("TZ", "UTC", 1);
    tzset();
    const std::time_t when = 1796724367;  // 2026-12-08 10:06:07 UTC
    EXPECT_EQ(ReplayFileName("Big Field/2", when, true, 123),
              "Big_Field_2-20261208-100607-won-123s.tvr");
    EXPECT_EQ(ReplayFileName("", when, false, 0), "map-20261208-100607-lost-0s.tvr");

    KeptReplayName parsed;
    ASSERT_TRUE(ParseReplayFileName("Big_Field_2-20261208-100607-won-123s-3.tvr", &parsed));
    EXPECT_EQ(parsed.map, "Big_Field_2");
    EXPECT_EQ(parsed.stamp, "20261208-100607");
    EXPECT_TRUE(parsed.won);
    EXPECT_EQ(parsed.seconds, 123u);
    EXPECT_EQ(parsed.copy, 3u);
    // Not ours: another pattern, another extension, a temporary file.
    for (const char* other :
         {"notes.txt", "Field-20261208-100607-won-12s.tvr.bak", "Field-2026128-100607-won-12s.tvr",
          "Field-20261208-100607-draw-1s.tvr", "Field-20261208-100607-won-12.tvr", "my-game.tvr",
          "Field-20261208-100607-won-012s.tvr", ".replay-12.tmp",
          "Fi.ld-20261208-100607-won-1s.tvr", "F-20261208-100607-won-1s-1.tvr"}) {
        EXPECT_FALSE(ParseReplayFileName(other, &parsed)) << other;
    }
}

TEST_F(GameTest, KeepReplayWritesWholeFilesAndNeverOverwrites) {
    const std::string folder = TestFolder() + "/deep/replays";
    std::string error;
    const std::string name = "Field-20261208-100607-lost-3s.tvr";
    ASSERT_TRUE(KeepReplay(folder, name, "first\n", &error)) << error;
    ASSERT_TRUE(KeepReplay(folder, name, "second\n", &error)) << error;
    EXPECT_EQ(FilesIn(folder),
              (std::set<std::string>{name, "Field-20261208-100607-lost-3s-2.tvr"}));
    EXPECT_EQ(ReadWholeFile(folder + "/" + name), "first\n");
    EXPECT_EQ(ReadWholeFile(folder + "/Field-20261208-100607-lost-3s-2.tvr"), "second\n");

    // A folder that cannot be written: told, nothing left behind.
    const std::string locked = TestFolder() + "/locked";
    std::filesystem::create_directory(locked);
    chmod(locked.c_str(), 0500);
    if (access((locked + "/.").c_str(), W_OK) != 0) {  // root may write anyway
        EXPECT_FALSE(KeepReplay(locked, name, "x", &error));
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(FilesIn(locked).empty());
    }
    chmod(locked.c_str(), 0700);
    EXPECT_FALSE(KeepReplay(TestFolder() + "/deep/replays/" + name + "/under", name, "x", &error))
        << "a file where the folder should be";
}

TEST_F(GameTest, PruningKeepsTheBestTwentyWonPerMapAndTheLastFifty) {
    const std::string folder = TestFolder() + "/replays";
    std::filesystem::create_directories(folder);
    std::set<std::string> expected;
    // Map A: 30 won games, the older ones the faster: the 20 fastest stay,
    // as do those among the last 50 games.
    std::vector<std::string> a;
    for (int n = 0; n < 30; ++n)
        a.push_back(Name("A", 1, n, true, 10 + n));
    // Map B: 60 lost games on a later day: only the last 50 of everything stay.
    std::vector<std::string> b;
    for (int n = 0; n < 60; ++n)
        b.push_back(Name("B", 2, n, false, 5));
    // Map C: one won game, older than all: the best of its map.
    const std::string c = Name("C", 1, 100, true, 99);
    for (const auto* list : {&a, &b}) {
        for (const std::string& name : *list)
            Touch(folder + "/" + name);
    }
    Touch(folder + "/" + c);
    // Files not named as the game names them are never touched.
    Touch(folder + "/notes.txt");
    Touch(folder + "/my-game.tvr");
    Touch(folder + "/.replay-7.tmp");

    PruneReplays(folder);
    for (int n = 0; n < 20; ++n)
        expected.insert(a[n]);
    for (int n = 10; n < 60; ++n)
        expected.insert(b[n]);
    expected.insert(c);
    expected.insert("notes.txt");
    expected.insert("my-game.tvr");
    expected.insert(".replay-7.tmp");
    EXPECT_EQ(FilesIn(folder), expected);

    // The newest game counts among the last fifty even when it is slow and
    // lost; the oldest of the last fifty then goes.
    Touch(folder + "/" + Name("A", 3, 0, false, 500));
    PruneReplays(folder);
    expected.insert(Name("A", 3, 0, false, 500));
    expected.erase(b[10]);
    EXPECT_EQ(FilesIn(folder), expected);
}

}  // namespace
