#include "tests/hardening/hardened_game.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/test_sounds.h"

namespace fs = std::filesystem;

void HardenedGameTest::SetUp() {
    GameTest::SetUp();
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot)
        HeadlessAddResource(SoundResourceNames[slot], "WAVE", MakeTestWave(64));
}

void HardenedGameTest::TearDown() {
    // Folders a test made read-only must not outlive it.
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(
             Folder(), fs::directory_options::skip_permission_denied, error)) {
        if (entry.is_directory(error) && !entry.is_symlink(error))
            fs::permissions(entry.path(), fs::perms::owner_all, error);
    }
    fs::permissions(Folder(), fs::perms::owner_all, error);
}

std::string HardenedGameTest::Folder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(test->test_suite_name()) + "." + test->name();
    for (char& c : name) {
        if (c == '/')
            c = '_';  // parameterised tests
    }
    const std::string folder = TemporaryFolder() + "/" + name;
    fs::create_directories(folder);
    return folder;
}

std::string HardenedGameTest::WriteFile(const std::string& name, const std::string& bytes) {
    const std::string path = Folder() + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

std::string HardenedGameTest::WriteSmallMap(const std::string& name) {
    return WriteFile(name, "Small,6,5,3,30,");
}

void HardenedGameTest::Start(const std::string& commandLine,
                             const std::vector<std::string>& dialogAnswers) {
    for (const std::string& answer : dialogAnswers)
        HeadlessAddDialogAnswer(answer);
    HeadlessAddDialogCancel();
    game = std::make_unique<ScriptedGame>(commandLine);
    Play("pass");
}

void HardenedGameTest::Play(const std::string& script) {
    ASSERT_NE(game, nullptr) << "Start first";
    std::string error;
    ASSERT_TRUE(game->RunScript(script, &error)) << error;
}

void HardenedGameTest::Close() {
    std::string error;
    ASSERT_TRUE(game->Finish(&error)) << error;
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

std::string ContentsOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return "<missing>";
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}
