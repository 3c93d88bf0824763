// SPDX-License-Identifier: MIT
// Where the game keeps the player's data apart from the maps.

#include "files/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Sets or clears an environment variable for one test and puts it back.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedVariable() {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

  private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

TEST(DataFolder, FollowsXdgDataHomeAndFallsBackToHome) {
    struct Case {
        const char* dataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/data", "/home/ann", "/data/torvex/replays"},
        {"/data/", "/home/ann", "/data/torvex/replays"},
        {nullptr, "/home/ann", "/home/ann/.local/share/torvex/replays"},
        {"", "/home/ann", "/home/ann/.local/share/torvex/replays"},
        // A relative XDG_DATA_HOME would move with the current folder.
        {"data", "/home/ann/", "/home/ann/.local/share/torvex/replays"},
        {"/", nullptr, "/torvex/replays"},
        {nullptr, nullptr, ""},
        {nullptr, "relative", ""},
    };
    for (const Case& c : cases) {
        ScopedVariable dataHome("XDG_DATA_HOME", c.dataHome);
        ScopedVariable home("HOME", c.home);
        EXPECT_EQ(DataFolder("replays"), c.expected)
            << "XDG_DATA_HOME=" << (c.dataHome ? c.dataHome : "(unset)")
            << " HOME=" << (c.home ? c.home : "(unset)");
    }
}

TEST(DataFolder, MakesMissingLevelsPrivateAndKeepsExistingOnes) {
    const fs::path root = fs::path(testing::TempDir()) / "data_folder_test";
    fs::remove_all(root);
    fs::create_directories(root);
    fs::permissions(root, fs::perms(0755));
    const std::string folder = (root / "share" / "torvex" / "settings").string();

    ASSERT_TRUE(MakeDataFolder(folder));
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(fs::status(root / "share").permissions(), fs::perms(0700));
    EXPECT_EQ(fs::status(root).permissions(), fs::perms(0755));
    EXPECT_TRUE(MakeDataFolder(folder)) << "a second call finds it there";

    // A file where a folder should be is never replaced.
    const fs::path blocked = root / "file";
    std::ofstream(blocked) << "mine";
    EXPECT_FALSE(MakeDataFolder((blocked / "torvex").string()));
    EXPECT_FALSE(MakeDataFolder(blocked.string()));
    EXPECT_TRUE(fs::is_regular_file(blocked));
    EXPECT_FALSE(MakeDataFolder(""));
    EXPECT_FALSE(MakeDataFolder("relative/torvex"));
    fs::remove_all(root);
}

}  // namespace
