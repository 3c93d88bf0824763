// SPDX-License-Identifier: MIT
// Saving never costs the player a file: whole games whose settings path lies
// in a folder named like a map, leads through a link, meets a read-only file
// or a stranger's file, or lies in a folder the player cannot write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "files/map_file.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "state/options.h"
#include "tests/hardening/hardened_game.h"
#include "tests/hardening/permissions.h"

namespace {

namespace fs = std::filesystem;

const char* const MapText = "Small,6,5,3,30,";
const char* const OldRecord = "? ON,SOUND ON,ANIMATION ON,42,OLD HAND,note,";
// What a close writes after the three options were switched off, with and
// without the old record.
const char* const OptionsOffWithRecord = "? OFF,SOUND OFF,ANIMATION OFF,42,OLD HAND,note,";
const char* const OptionsOff = "? OFF,SOUND OFF,ANIMATION OFF,999999,NO NAME,,";

// An owner and group that no file of the tests has by itself.
constexpr uid_t StrangerId = 4321;

class SettingsSaving : public HardenedGameTest {
  protected:
    // PlayAndClose with standard error kept; returns what was said there.
    std::string PlayAndCloseTold(const std::string& map) {
        testing::internal::CaptureStderr();
        PlayAndClose(map);
        return testing::internal::GetCapturedStderr();
    }

    std::vector<std::string> Names(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

bool OwnedBy(const std::string& path, uid_t owner) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && info.st_uid == owner && info.st_gid == owner;
}

TEST_F(SettingsSaving, AFolderNamedLikeAMapLeadsToNoOtherFolder) {
    // packs/x.tvm/level.tvm beside packs/x.tvh/level.tvm: the settings of the
    // first are its own "level.tvh", and the other map is never touched.
    fs::create_directories(TestFolder() + "/x.tvm");
    fs::create_directories(TestFolder() + "/x.tvh");
    const std::string map = WriteTestFile("x.tvm/level.tvm", MapText);
    const std::string otherMap = WriteTestFile("x.tvh/level.tvm", "Other,4,3,2,12,");
    PlayAndClose(map);
    EXPECT_STREQ(SettingsPath, (TestFolder() + "/x.tvm/level.tvh").c_str());
    EXPECT_EQ(ReadWholeFile(TestFolder() + "/x.tvm/level.tvh"), OptionsOff);
    EXPECT_EQ(ReadWholeFile(otherMap), "Other,4,3,2,12,");
    EXPECT_EQ(Names(TestFolder() + "/x.tvh"), std::vector<std::string>{"level.tvm"});
}

TEST_F(SettingsSaving, AReadOnlyFileStaysAsItIsForTheSuperuserToo) {
    const std::string map = WriteSmallMap("small.tvm");
    const std::string settings = WriteTestFile("small.tvh", OldRecord);
    fs::permissions(settings,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const bool superuser = geteuid() == 0;
    if (superuser) {
        ASSERT_EQ(chown(settings.c_str(), StrangerId, StrangerId), 0);
    }

    // With the powers that override a file's mode given up: the system
    // itself refuses the write.
    {
        PermissionsEnforced enforced;
        if (enforced.Holds()) {
            PlayAndClose(map);
            EXPECT_STREQ(HighScoreName, "OLD HAND");
            EXPECT_EQ(ReadWholeFile(settings), OldRecord);
        }
    }
    // With them, as the superuser runs: the mode alone says the player made
    // the file read-only, and it stays so, byte for byte, and the player's.
    HeadlessReset();
    PlayAndClose(map);
    EXPECT_EQ(ReadWholeFile(settings), OldRecord);
    if (superuser) {
        EXPECT_TRUE(OwnedBy(settings, StrangerId));
    }
    EXPECT_EQ(fs::status(settings).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(Names(TestFolder()), (std::vector<std::string>{"small.tvh", "small.tvm"}));
}

TEST_F(SettingsSaving, TheSuperuserSavesThePlayersFileAsThePlayers) {
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can save a file of someone else";
    const std::string map = WriteSmallMap("small.tvm");
    const std::string settings = WriteTestFile("small.tvh", OldRecord);
    fs::permissions(settings, fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::group_write);
    ASSERT_EQ(chown(settings.c_str(), StrangerId, StrangerId), 0);
    PlayAndClose(map);
    EXPECT_EQ(ReadWholeFile(settings), OptionsOffWithRecord);
    EXPECT_TRUE(OwnedBy(settings, StrangerId)) << "the player could not save it again";
    EXPECT_EQ(fs::status(settings).permissions(), fs::perms::owner_read | fs::perms::owner_write |
                                                      fs::perms::group_read |
                                                      fs::perms::group_write);
}

TEST_F(SettingsSaving, ALinkIsWrittenThroughAndStaysALink) {
    // The player keeps the settings elsewhere and links them beside the map,
    // by an absolute and by a relative link.
    const std::string map = WriteSmallMap("small.tvm");
    const std::string settings = TestFolder() + "/small.tvh";
    fs::create_directories(TestFolder() + "/kept");
    const std::string kept = WriteTestFile("kept/small.tvh", OldRecord);
    for (const std::string& link : {kept, std::string("kept/small.tvh")}) {
        SCOPED_TRACE(link);
        HeadlessReset();
        WriteTestFile("kept/small.tvh", OldRecord);
        fs::remove(settings);
        fs::create_symlink(link, settings);
        PlayAndClose(map);
        EXPECT_EQ(HighScore, 42);
        ASSERT_TRUE(fs::is_symlink(settings));
        EXPECT_EQ(fs::read_symlink(settings), link);
        EXPECT_EQ(ReadWholeFile(kept), OptionsOffWithRecord);
        EXPECT_EQ(Names(TestFolder() + "/kept"), std::vector<std::string>{"small.tvh"});
        EXPECT_EQ(Names(TestFolder()),
                  (std::vector<std::string>{"kept", "small.tvh", "small.tvm"}));
    }

    // A link that leads nowhere: nothing is written, nothing is said.
    HeadlessReset();
    fs::remove(settings);
    fs::create_symlink("gone/small.tvh", settings);
    const std::string told = PlayAndCloseTold(map);
    EXPECT_EQ(told, "");
    EXPECT_TRUE(fs::is_symlink(settings));
    EXPECT_FALSE(fs::exists(settings));
    EXPECT_EQ(Names(TestFolder()), (std::vector<std::string>{"kept", "small.tvh", "small.tvm"}));
}

TEST_F(SettingsSaving, WhatStandsAtTheTemporaryNameIsLeftAsItIs) {
    const std::string map = WriteSmallMap("small.tvm");
    const std::string settings = WriteTestFile("small.tvh", OldRecord);
    const std::string temporary = settings + ".new";

    // A folder there, with something in it: the save goes on under another
    // name, and leaves nothing of its own behind.
    fs::create_directory(temporary);
    WriteTestFile("small.tvh.new/keep", "the player's");
    PlayAndClose(map);
    EXPECT_EQ(ReadWholeFile(settings), OptionsOffWithRecord);
    EXPECT_EQ(ReadWholeFile(temporary + "/keep"), "the player's");
    EXPECT_EQ(Names(TestFolder()),
              (std::vector<std::string>{"small.tvh", "small.tvh.new", "small.tvm"}));

    // A link there, to a file of the player's: neither is touched.
    HeadlessReset();
    fs::remove_all(temporary);
    WriteTestFile("small.tvh", OldRecord);
    const std::string other = WriteTestFile("other", "other words");
    fs::create_symlink(other, temporary);
    PlayAndClose(map);
    EXPECT_EQ(ReadWholeFile(settings), OptionsOffWithRecord);
    EXPECT_EQ(ReadWholeFile(other), "other words");
    EXPECT_EQ(fs::read_symlink(temporary), other);

    // Someone else's file there, when the superuser plays: it stays theirs.
    if (geteuid() == 0) {
        HeadlessReset();
        fs::remove(temporary);
        WriteTestFile("small.tvh", OldRecord);
        WriteTestFile("small.tvh.new", "someone's");
        ASSERT_EQ(chown(temporary.c_str(), StrangerId, StrangerId), 0);
        PlayAndClose(map);
        EXPECT_EQ(ReadWholeFile(settings), OptionsOffWithRecord);
        EXPECT_EQ(ReadWholeFile(temporary), "someone's");
        EXPECT_TRUE(OwnedBy(temporary, StrangerId));
        EXPECT_EQ(Names(TestFolder()),
                  (std::vector<std::string>{"other", "small.tvh", "small.tvh.new", "small.tvm"}));
    }
}

TEST_F(SettingsSaving, AReadOnlyMapFolderKeepsTheSettingsInThePlayersFolder) {
    PermissionsEnforced enforced;
    if (!enforced.Holds())
        GTEST_SKIP() << "this process writes every file whatever its mode";
    fs::create_directories(TestFolder() + "/maps");
    const std::string map = WriteSmallMap("maps/small.tvm");
    const std::string beside = TestFolder() + "/maps/small.tvh";
    const std::string dataHome = TestFolder() + "/data";
    setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    const std::string kept = dataHome + "/torvex/settings";
    fs::permissions(TestFolder() + "/maps", fs::perms::owner_read | fs::perms::owner_exec);

    // Saved where the player can write, and said once, at the first save.
    std::string told = PlayAndCloseTold(map);
    ASSERT_EQ(Names(kept).size(), 1u);
    const std::string name = Names(kept)[0];
    EXPECT_EQ(name.substr(0, 6), "small-");
    EXPECT_EQ(name.substr(name.size() - 4), ".tvh");
    EXPECT_EQ(ReadWholeFile(kept + "/" + name), OptionsOff);
    EXPECT_EQ(told, "torvex: the folder of " + map +
                        " cannot be written; its settings are kept in " + kept + "/" + name + "\n");
    EXPECT_FALSE(fs::exists(beside));
    testing::internal::CaptureStderr();
    SaveSettings();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "told once is enough";

    // Read back at the next start, and saved there again.
    HeadlessReset();
    told = PlayAndCloseTold(map);
    EXPECT_EQ(QuestionMarksOn, 1) << "the option switched off last time was read back";
    EXPECT_EQ(ReadWholeFile(kept + "/" + name), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
    EXPECT_EQ(Names(kept).size(), 1u);

    // A file beside the map comes first whenever there is one; made
    // read-only, it is the player's choice, and nothing goes elsewhere.
    HeadlessReset();
    fs::permissions(TestFolder() + "/maps", fs::perms::owner_all);
    WriteTestFile("maps/small.tvh", OldRecord);
    fs::permissions(beside, fs::perms::owner_read);
    fs::permissions(TestFolder() + "/maps", fs::perms::owner_read | fs::perms::owner_exec);
    told = PlayAndCloseTold(map);
    EXPECT_EQ(HighScore, 42);
    EXPECT_EQ(told, "");
    EXPECT_EQ(ReadWholeFile(beside), OldRecord);
    EXPECT_EQ(ReadWholeFile(kept + "/" + name), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");

    // And once the folder can be written, the file beside the map is written.
    HeadlessReset();
    fs::permissions(TestFolder() + "/maps", fs::perms::owner_all);
    fs::permissions(beside, fs::perms::owner_read | fs::perms::owner_write);
    PlayAndClose(map);
    EXPECT_EQ(ReadWholeFile(beside), OptionsOffWithRecord);
    EXPECT_EQ(ReadWholeFile(kept + "/" + name), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
}

TEST_F(SettingsSaving, MapsOfOneNameInDifferentFoldersAreKeptApart) {
    std::vector<std::string> kept;
    for (const char* map : {"/usr/share/torvex/maps/castle.tvm", "/media/stick/castle.tvm",
                            "/media/stick/../stick/castle.tvm"}) {
        ResetMapFile();
        std::snprintf(MapPath, sizeof(MapPath), "%s", map);
        DeriveSettingsPath(MapPath, SettingsPath, PathCapacity);
        kept.push_back(FallbackSettingsPath());
    }
    const std::string folder = std::string(std::getenv("XDG_DATA_HOME")) + "/torvex/settings/";
    EXPECT_EQ(kept[0].substr(0, folder.size() + 7), folder + "castle-");
    EXPECT_EQ(kept[0].size(), folder.size() + std::string("castle-12345678.tvh").size());
    EXPECT_NE(kept[0], kept[1]);
    EXPECT_EQ(kept[1], kept[2]) << "one map however its path is written";
}

}  // namespace
