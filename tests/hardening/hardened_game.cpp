// SPDX-License-Identifier: MIT
#include "tests/hardening/hardened_game.h"

#include <filesystem>

#include "platform/headless/headless.h"

namespace fs = std::filesystem;

void HardenedGameTest::TearDown() {
    // Folders a test made read-only must not outlive it.
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(
             TestFolder(), fs::directory_options::skip_permission_denied, error)) {
        if (entry.is_directory(error) && !entry.is_symlink(error))
            fs::permissions(entry.path(), fs::perms::owner_all, error);
    }
    fs::permissions(TestFolder(), fs::perms::owner_all, error);
}

std::string HardenedGameTest::WriteSmallMap(const std::string& name) {
    return WriteTestFile(name, "Small,6,5,3,30,");
}

void HardenedGameTest::Start(const std::string& commandLine,
                             const std::vector<std::string>& dialogAnswers) {
    for (const std::string& answer : dialogAnswers)
        HeadlessAddDialogAnswer(answer);
    HeadlessAddDialogCancel();
    Launch(commandLine);
    Play("pass");
}

void HardenedGameTest::PlayAndClose(const std::string& map) {
    Start(map);
    ASSERT_TRUE(game->Running());
    EXPECT_TRUE(Notices().empty());
    Play("key F2\npass\nkey F3\npass\nkey F4\npass");
    Close();
    EXPECT_EQ(game->ExitCode(), 1);
}

std::vector<std::string> HardenedGameTest::Notices() const {
    const std::string prefix = "messagebox ";
    std::vector<std::string> notices;
    for (const std::string& line : HeadlessLog()) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            notices.push_back(line.substr(prefix.size()));
    }
    return notices;
}
