// SPDX-License-Identifier: MIT
// The settings file beside the map, seen through whole games: whatever
// stands at its path, and whatever a player typed into it, the game starts
// with sensible settings, closes normally, and never destroys a file it
// should not write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "files/map_file.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "state/options.h"
#include "tests/hardening/hardened_game.h"
#include "tests/hardening/permissions.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const char* const MapText = "Small,6,5,3,30,";
const char* const OldRecord = "? ON,SOUND ON,ANIMATION ON,42,OLD HAND,note,";

class SettingsPaths : public HardenedGameTest {
  protected:
    void SetUp() override {
        HardenedGameTest::SetUp();
        map = WriteSmallMap("small.tvm");
        settings = TestFolder() + "/small.tvh";
    }

    // A normal game on the map, which stays as it was.
    void PlayAndClose() {
        HardenedGameTest::PlayAndClose(map);
        EXPECT_EQ(ReadWholeFile(map), MapText);
    }

    // Starts the game, looks at the settings it read, and closes it
    // without changing anything.
    void StartAndClose() {
        Start(map);
        ASSERT_TRUE(game->Running());
        Play("pass 3");
        Close();
        EXPECT_EQ(game->ExitCode(), 1);
    }

    std::string map;
    std::string settings;
};

TEST_F(SettingsPaths, AFolderOrPipeInItsPlaceIsLeftAlone) {
    fs::create_directory(settings);
    PlayAndClose();
    EXPECT_TRUE(fs::is_directory(settings));
    EXPECT_TRUE(fs::is_empty(settings));

    // A pipe would block the game when opened, for reading or for writing.
    HeadlessReset();
    fs::remove(settings);
    ASSERT_EQ(mkfifo(settings.c_str(), 0600), 0);
    PlayAndClose();
    EXPECT_TRUE(fs::is_fifo(settings));

    // Only the game's own file is ever written: no leftover beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(TestFolder()), fs::directory_iterator()), 2);
}

TEST_F(SettingsPaths, ALinkInItsPlaceNeverCostsTheFileItLeadsTo) {
    // A settings path that leads to the map itself: the map is read as
    // settings (harmlessly), and closing writes nothing: neither the map
    // nor the link is touched.
    fs::create_symlink(map, settings);
    PlayAndClose();
    EXPECT_EQ(ReadWholeFile(map), MapText);
    EXPECT_TRUE(fs::is_symlink(settings));
    // The map's fields, read as settings, turn every option off and give a
    // best time of 3 by "30".
    EXPECT_EQ(HighScore, 3);
    EXPECT_EQ(std::distance(fs::directory_iterator(TestFolder()), fs::directory_iterator()), 2);

    // A link to a device is never opened.
    HeadlessReset();
    fs::remove(settings);
    fs::create_symlink("/dev/zero", settings);
    PlayAndClose();
    EXPECT_TRUE(fs::is_symlink(settings));
}

TEST_F(SettingsPaths, WhatStandsInTheWayOfTheTemporaryFileIsNeverWrittenThrough) {
    // The new settings are written to a file beside the old one first. A
    // link planted under that name is neither followed nor removed: the
    // save takes another name.
    const std::string temporary = settings + ".new";
    fs::create_symlink(map, temporary);
    PlayAndClose();
    EXPECT_EQ(ReadWholeFile(map), MapText);
    EXPECT_EQ(ReadWholeFile(settings), "? OFF,SOUND OFF,ANIMATION OFF,999999,NO NAME,,");
    EXPECT_TRUE(fs::is_symlink(temporary));

    // A folder there: it keeps what it holds, and the save still happens.
    HeadlessReset();
    fs::remove(temporary);
    fs::create_directory(temporary);
    WriteTestFile("small.tvh.new/keep", "the player's");
    PlayAndClose();
    EXPECT_EQ(ReadWholeFile(settings), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
    EXPECT_EQ(ReadWholeFile(temporary + "/keep"), "the player's");
}

TEST_F(SettingsPaths, AReadOnlyFolderKeepsWhatItHolds) {
    PermissionsEnforced enforced;
    if (!enforced.Holds())
        GTEST_SKIP() << "this process writes every file whatever its mode";

    // Nothing there yet: the game plays and writes nothing.
    fs::permissions(TestFolder(), fs::perms::owner_read | fs::perms::owner_exec);
    PlayAndClose();
    EXPECT_FALSE(fs::exists(settings));

    // A settings file there already: read, and left exactly as it was.
    HeadlessReset();
    fs::permissions(TestFolder(), fs::perms::owner_all);
    WriteTestFile("small.tvh", OldRecord);
    fs::permissions(TestFolder(), fs::perms::owner_read | fs::perms::owner_exec);
    PlayAndClose();
    EXPECT_EQ(HighScore, 42);
    EXPECT_EQ(ReadWholeFile(settings), OldRecord);
    EXPECT_EQ(std::distance(fs::directory_iterator(TestFolder()), fs::directory_iterator()), 2);
}

TEST_F(SettingsPaths, AReadOnlyOrUnreadableFileIsKept) {
    PermissionsEnforced enforced;
    if (!enforced.Holds())
        GTEST_SKIP() << "this process writes every file whatever its mode";

    WriteTestFile("small.tvh", OldRecord);
    fs::permissions(settings, fs::perms::owner_read);
    PlayAndClose();
    EXPECT_STREQ(HighScoreName, "OLD HAND");
    EXPECT_EQ(ReadWholeFile(settings), OldRecord);

    // One the game cannot even read: it plays with the defaults, and the
    // record in the file is still there for when the player fixes its mode.
    HeadlessReset();
    fs::permissions(settings, fs::perms::none);
    PlayAndClose();
    EXPECT_EQ(HighScore, NoHighScore);
    fs::permissions(settings, fs::perms::owner_read);
    EXPECT_EQ(ReadWholeFile(settings), OldRecord);
}

TEST_F(SettingsPaths, AnyBytesInTheFileGiveSettingsTheGameCanShowAndSave) {
    // Junk of every kind: each starts a game whose record fits its place,
    // whose title screen can be drawn, and whose file is written back in
    // the game's own form.
    std::mt19937 random(5);
    std::string noise(4096, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    for (const std::string& contents :
         {noise, everyByte,
          everyByte + "," + everyByte + "," + everyByte + ",99," + everyByte + "," + everyByte +
              ",",
          std::string(100000, ','), std::string(100000, '9'), std::string("\0\0\0,\0,", 6)}) {
        SCOPED_TRACE(contents.size());
        HeadlessReset();
        WriteTestFile("small.tvh", contents);
        StartAndClose();
        EXPECT_GE(HighScore, 0);
        EXPECT_LE(HighScore, NoHighScore);
        EXPECT_LT(std::strlen(HighScoreName), HighScoreNameCapacity);
        EXPECT_LT(std::strlen(SpareText), SpareTextCapacity);
        EXPECT_GT(HeadlessFramesPresented(), 0u);

        // What was saved reads back as the same settings, and saves as the
        // same bytes again.
        const std::string saved = ReadWholeFile(settings);
        const int32_t flags[3] = {QuestionMarksOn, SoundOn, AnimationOn};
        const int32_t best = HighScore;
        const std::string name = HighScoreName;
        ResetOptions();
        LoadSettings();
        EXPECT_EQ(QuestionMarksOn, flags[0]);
        EXPECT_EQ(SoundOn, flags[1]);
        EXPECT_EQ(AnimationOn, flags[2]);
        EXPECT_EQ(HighScore, best);
        EXPECT_EQ(HighScoreName, name);
        SaveSettings();
        EXPECT_EQ(ReadWholeFile(settings), saved);
    }
}

TEST_F(SettingsPaths, HandEditedFilesReadAsThePlayerMeantThem) {
    // Ways a player edits the file by hand that the other tests leave out:
    // a Windows editor's line ends and tabs, a byte-order mark in front,
    // other bytes below 31 inside words, letters outside plain ASCII in the name.
    struct Case {
        std::string contents;
        int32_t question, sound, animation, best;
        std::string name, spare;
    };
    const Case cases[] = {
        {"? OFF,\r\n\tSOUND ON,\r\n\tANIMATION OFF,\r\n\t120,\r\n\tANN,\r\n\t,\r\n", 0, 1, 0, 120,
         "ANN", ""},
        {"\xef\xbb\xbf? ON,SOUND OFF,ANIMATION ON,5,BOM,,", 1, 0, 1, 5, "BOM", ""},
        {"\xef\xbb? ON,SOUND ON,ANIMATION ON,6,HALF,,", 0, 1, 1, 6, "HALF", ""},
        {"?\x01 O\x02N,SO\x1eUND\x1e ON,ANIMATION\x00 ON,3,A\x1b"
         "B,,"s,
         1, 1, 1, 3, "AB", ""},
        {"? ON,SOUND ON,ANIMATION ON,59,J\xc3\xa9r\xc3\xb4me,,", 1, 1, 1, 59,
         "J\xc3\xa9r\xc3\xb4me", ""},
        {"? ON,SOUND ON,ANIMATION ON,0,ZERO,,", 1, 1, 1, 0, "ZERO", ""},
        {"? ON,SOUND ON,ANIMATION ON,2147483648,BIG,,", 1, 1, 1, NoHighScore, "BIG", ""},
        {"? ON,SOUND ON,ANIMATION ON,12/ANN,extra,and,more,fields,", 1, 1, 1, 12, "ANN", "extra"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contents);
        HeadlessReset();
        WriteTestFile("small.tvh", c.contents);
        StartAndClose();
        EXPECT_EQ(QuestionMarksOn, c.question);
        EXPECT_EQ(SoundOn, c.sound);
        EXPECT_EQ(AnimationOn, c.animation);
        EXPECT_EQ(HighScore, c.best);
        EXPECT_EQ(HighScoreName, c.name);
        EXPECT_EQ(SpareText, c.spare);
    }
}

}  // namespace

namespace {

TEST_F(SettingsPaths, AFileOfMegabytesIsNotOursAndGivesTheDefaults) {
    WriteTestFile("small.tvh", "? OFF,SOUND OFF,ANIMATION OFF,7,HUGE,");
    fs::resize_file(settings, 2u << 20);
    Start(map);
    ASSERT_TRUE(game->Running());
    EXPECT_EQ(QuestionMarksOn, 1);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(AnimationOn, 1);
    EXPECT_EQ(HighScore, NoHighScore);
    Close();
    EXPECT_EQ(game->ExitCode(), 1);
}

}  // namespace
