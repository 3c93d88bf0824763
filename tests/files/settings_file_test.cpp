// SPDX-License-Identifier: MIT
// The per-map settings file: what the game writes, what it reads back,
// hand-edited files, and saves that fail without costing the old file.
// (Whatever else may stand at its path is the hardening tests'.)
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/map_file.h"
#include "files/settings.h"
#include "state/options.h"
#include "tests/files/file_text.h"
#include "tests/support/game_fixture.h"

namespace {

namespace fs = std::filesystem;

// What each fsync of this program was asked to flush, and what the settings
// file held at that moment; recorded while a test watches.
struct SyncCall {
    std::string flushed;
    std::string settingsHeld;
};
std::vector<SyncCall>* WatchedSyncs = nullptr;

}  // namespace

// Every fsync of this program comes here: it is counted, then made.
extern "C" int fsync(int descriptor) {
    if (WatchedSyncs != nullptr) {
        char name[PathCapacity] = {};
        const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
        const ssize_t length = readlink(link.c_str(), name, sizeof(name) - 1);
        WatchedSyncs->push_back(
            {std::string(name, length > 0 ? length : 0), ReadWholeFile(SettingsPath)});
    }
    return static_cast<int>(syscall(SYS_fsync, descriptor));
}

namespace {

const char* const OldFile = "? OFF,SOUND OFF,ANIMATION OFF,5,OLD,,";

class SettingsFile : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        folder = TestFolder();
        UseSettingsPath(folder + "/map.tvh");
    }

    void UseSettingsPath(const std::string& path) {
        std::snprintf(SettingsPath, sizeof(SettingsPath), "%s", path.c_str());
    }

    std::string Saved() {
        EXPECT_EQ(SaveSettings(), 1);
        return ReadWholeFile(SettingsPath);
    }

    std::string folder;
};

// The six settings in one line: the three options, the best time, [name], [spare].
std::string CurrentSettings() {
    return std::to_string(QuestionMarksOn) + std::to_string(SoundOn) + std::to_string(AnimationOn) +
           " " + std::to_string(HighScore) + " [" + HighScoreName + "] [" + SpareText + "]";
}

TEST_F(SettingsFile, ReadsWhatItWroteAndHandEditedShortAndOverLongFiles) {
    const struct {
        const char* contents;
        const char* read;
        bool savedAsItWas;  // the game's own writing, which it writes back byte for byte
    } cases[] = {
        {"? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,", "111 999999 [NO NAME] []", true},
        {"? OFF,SOUND OFF,ANIMATION OFF,0,,kept,", "000 0 [] [kept]", true},
        {"? ON,SOUND OFF,ANIMATION ON,12,Zed 10 #!,v2 extra,", "101 12 [Zed 10 #!] [v2 extra]",
         true},
        {"? OFF,SOUND ON,ANIMATION OFF,999998,ABCDEFGHIJK,fifteen chars..,",
         "010 999998 [ABCDEFGHIJK] [fifteen chars..]", true},
        // An option is on when its field is the "ON" word or a beginning of
        // it, letter case counting.
        {"? on,SOUND,,20,X,,", "011 20 [X] []", false},
        {"? ONE,sound on,ANIMATION OFF,20,X,,", "000 20 [X] []", false},
        {"? OFF,\r\nSOUND ON,\nANIMATION\n ON,\n1 000\n,\nBOB\n,\nnote\n,\n",
         "011 1000 [BOB] [note]", false},
        {"? ON,SOUND ON,ANIMATION ON,-5/ANN,", "111 5 [ANN] []", false},
        {"? ON,SOUND ON,ANIMATION ON,33,Cut sh", "111 33 [Cut sh] []", false},
        // A file that ends before its best time keeps no record.
        {"", "111 999999 [NO NAME] []", false},
        {"? OFF,SOUND OFF,", "001 999999 [NO NAME] []", false},
        {"? ON,SOUND ON,ANIMATION ON,", "111 999999 [NO NAME] []", false},
        {"? ON,SOUND ON,ANIMATION ON,45", "111 999999 [NO NAME] []", false},
        // Over-long texts are cut to their places, impossible times to none.
        {"? ON,SOUND ON,ANIMATION ON,99999999999,A Name Far Too Long,0123456789abcdefXYZ,",
         "111 999999 [A Name Far ] [0123456789abcde]", false},
        {"? ON,SOUND ON,ANIMATION ON,1000000,X,,", "111 999999 [X] []", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents);
        std::ofstream(SettingsPath, std::ios::binary) << c.contents;
        // Values that differ from every default, so that nothing passes by
        // staying as it was.
        QuestionMarksOn = SoundOn = AnimationOn = 7;
        HighScore = -3;
        std::strcpy(HighScoreName, "STALE");
        std::strcpy(SpareText, "STALE");
        ASSERT_EQ(LoadSettings(), 1);
        EXPECT_EQ(CurrentSettings(), c.read);
        if (c.savedAsItWas) {
            EXPECT_EQ(Saved(), c.contents);
        }
    }
}

TEST_F(SettingsFile, WritesNothingWhereItCannotWrite) {
    UseSettingsPath(folder + "/no such folder/map.tvh");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_FALSE(fs::exists(folder + "/no such folder"));
    // A map path too long to leave room for a settings path gets none.
    UseSettingsPath("");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SettingsFile, KeepsTheOldFileWhenTheDiskFillsUp) {
    std::ofstream(SettingsPath, std::ios::binary) << OldFile;
    HighScore = 4;
    std::strcpy(HighScoreName, "NEW");

    // Files may grow to 10 bytes only: every write past that fails, as on a
    // full disk.
    rlimit original;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
    rlimit small = original;
    small.rlim_cur = 10;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int result = SaveSettings();
    setrlimit(RLIMIT_FSIZE, &original);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, 1);
    EXPECT_EQ(ReadWholeFile(SettingsPath), OldFile);
    EXPECT_FALSE(fs::exists(std::string(SettingsPath) + ".new"));
    EXPECT_EQ(Saved(), "? ON,SOUND ON,ANIMATION ON,4,NEW,,");
}

TEST_F(SettingsFile, ReplacesTheOldFileKeepingItsPermissions) {
    std::ofstream(SettingsPath, std::ios::binary) << OldFile;
    fs::permissions(SettingsPath, fs::perms::owner_read | fs::perms::owner_write);
    // A temporary file left by a save that was interrupted is no obstacle.
    std::ofstream(std::string(SettingsPath) + ".new") << "half a fi";
    EXPECT_EQ(Saved(), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
    EXPECT_EQ(fs::status(SettingsPath).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(std::string(SettingsPath) + ".new"));
}

// A power cut just after a save keeps the new file or the old one whole:
// the new bytes are on the disk before they take the old file's place, and
// the folder holding that change is flushed after.
TEST_F(SettingsFile, FlushesTheNewFileBeforeTheRenameAndTheFolderAfter) {
    std::ofstream(SettingsPath, std::ios::binary) << OldFile;
    std::vector<SyncCall> calls;
    WatchedSyncs = &calls;
    const std::string saved = Saved();
    WatchedSyncs = nullptr;
    EXPECT_EQ(saved, "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].flushed, fs::canonical(folder).string() + "/map.tvh.new");
    EXPECT_EQ(calls[0].settingsHeld, OldFile);
    EXPECT_EQ(calls[1].flushed, fs::canonical(folder).string());
    EXPECT_EQ(calls[1].settingsHeld, saved);
}

}  // namespace
