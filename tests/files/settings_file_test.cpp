// The per-map settings file: what the game writes, what it reads back,
// hand-edited files, and saves that fail without costing the old file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/map_file.h"
#include "files/settings.h"
#include "tests/files/file_text.h"
#include "tests/support/game_fixture.h"

namespace {

namespace fs = std::filesystem;

const char* const FirstRunFile = "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,";

class SettingsFile : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        folder = TemporaryFolder() + "/" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(folder);
        UseSettingsPath(folder + "/map.tvh");
    }

    void UseSettingsPath(const std::string& path) {
        std::snprintf(SettingsPath, sizeof(SettingsPath), "%s", path.c_str());
    }

    void WriteSettings(const std::string& contents) {
        std::ofstream(SettingsPath, std::ios::binary) << contents;
    }

    // Loads `contents` as the settings file, over values that differ from
    // every default so that nothing passes by staying as it was.
    void LoadFrom(const std::string& contents) {
        WriteSettings(contents);
        QuestionMarksOn = SoundOn = AnimationOn = 7;
        HighScore = -3;
        std::strcpy(HighScoreName, "STALE");
        std::strcpy(SpareText, "STALE");
        ASSERT_EQ(LoadSettings(), 1);
    }

    std::string Saved() {
        EXPECT_EQ(SaveSettings(), 1);
        return ReadWholeFile(SettingsPath);
    }

    std::string folder;
};

TEST_F(SettingsFile, StartsWithDefaultsAndWritesThemOnTheFirstClose) {
    std::strcpy(SpareText, "");
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(QuestionMarksOn, 1);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(AnimationOn, 1);
    EXPECT_EQ(HighScore, 999999);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    EXPECT_EQ(Saved(), FirstRunFile);
}

TEST_F(SettingsFile, WritesOptionsOffAndABestTime) {
    QuestionMarksOn = 0;
    SoundOn = 0;
    HighScore = 87;
    std::strcpy(HighScoreName, "ACE");
    EXPECT_EQ(Saved(), "? OFF,SOUND OFF,ANIMATION ON,87,ACE,,");
    AnimationOn = 0;
    HighScore = 0;
    HighScoreName[0] = '\0';
    std::strcpy(SpareText, "kept");
    EXPECT_EQ(Saved(), "? OFF,SOUND OFF,ANIMATION OFF,0,,kept,");
}

TEST_F(SettingsFile, ReadsBackWhatItWrote) {
    struct Values {
        int32_t question, sound, animation, best;
        const char* name;
        const char* spare;
    };
    for (const Values& v :
         {Values{0, 1, 0, 12, "", ""}, Values{1, 0, 1, 0, "Zed 10 #!", "v2 extra"},
          Values{0, 0, 0, 999998, "ABCDEFGHIJ", "fifteen chars.."}}) {
        SCOPED_TRACE(v.name);
        QuestionMarksOn = v.question;
        SoundOn = v.sound;
        AnimationOn = v.animation;
        HighScore = v.best;
        std::strcpy(HighScoreName, v.name);
        std::strcpy(SpareText, v.spare);
        ASSERT_EQ(SaveSettings(), 1);
        ResetSettings();
        std::strcpy(SpareText, "");
        ASSERT_EQ(LoadSettings(), 1);
        EXPECT_EQ(QuestionMarksOn, v.question);
        EXPECT_EQ(SoundOn, v.sound);
        EXPECT_EQ(AnimationOn, v.animation);
        EXPECT_EQ(HighScore, v.best);
        EXPECT_STREQ(HighScoreName, v.name);
        EXPECT_STREQ(SpareText, v.spare);
    }
}

TEST_F(SettingsFile, ReadsOptionFieldsAsOnUnlessTheyDifferFromTheOnWord) {
    LoadFrom("? on,SOUND,,20,X,,");
    EXPECT_EQ(QuestionMarksOn, 0);  // letter case counts
    EXPECT_EQ(SoundOn, 1);          // a beginning of "SOUND ON"
    EXPECT_EQ(AnimationOn, 1);      // empty
    LoadFrom("? ONE,sound on,ANIMATION OFF,20,X,,");
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(AnimationOn, 0);
}

TEST_F(SettingsFile, ReadsHandEditedFiles) {
    LoadFrom("? OFF,\r\nSOUND ON,\nANIMATION\n ON,\n1 000\n,\nBOB\n,\nnote\n,\n");
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(AnimationOn, 1);
    EXPECT_EQ(HighScore, 1000);
    EXPECT_STREQ(HighScoreName, "BOB");
    EXPECT_STREQ(SpareText, "note");

    LoadFrom("? ON,SOUND ON,ANIMATION ON,-5/ANN,");
    EXPECT_EQ(HighScore, 5);
    EXPECT_STREQ(HighScoreName, "ANN");
    EXPECT_STREQ(SpareText, "");  // five fields only

    LoadFrom("? ON,SOUND ON,ANIMATION ON,12,,,");
    EXPECT_EQ(HighScore, 12);
    EXPECT_STREQ(HighScoreName, "");
    EXPECT_STREQ(SpareText, "");

    LoadFrom("? ON,SOUND ON,ANIMATION ON,33,Cut sh");
    EXPECT_EQ(HighScore, 33);
    EXPECT_STREQ(HighScoreName, "Cut sh");
}

TEST_F(SettingsFile, KeepsNoRecordWhenTheFileEndsBeforeTheBestTime) {
    for (const char* contents :
         {"", "? OFF,SOUND OFF,", "? ON,SOUND ON,ANIMATION ON,", "? ON,SOUND ON,ANIMATION ON,45"}) {
        SCOPED_TRACE(contents);
        LoadFrom(contents);
        EXPECT_EQ(HighScore, 999999);
        EXPECT_STREQ(HighScoreName, "NO NAME");
        EXPECT_STREQ(SpareText, "");
    }
    EXPECT_EQ(QuestionMarksOn, 1);
    LoadFrom("? OFF,SOUND OFF,");
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(AnimationOn, 1);
}

TEST_F(SettingsFile, CutsOverLongFieldsAndImpossibleTimes) {
    LoadFrom("? ON,SOUND ON,ANIMATION ON,99999999999,A Name Far Too Long,0123456789abcdefXYZ,");
    EXPECT_EQ(HighScore, 999999);
    EXPECT_STREQ(HighScoreName, "A Name Far ");
    EXPECT_STREQ(SpareText, "0123456789abcde");
    LoadFrom("? ON,SOUND ON,ANIMATION ON,1000000,X,,");
    EXPECT_EQ(HighScore, 999999);
}

TEST_F(SettingsFile, UsesDefaultsForAFolderInThePlaceOfTheFile) {
    fs::create_directory(SettingsPath);
    QuestionMarksOn = 0;
    std::strcpy(SpareText, "start");
    ASSERT_EQ(LoadSettings(), 1);
    EXPECT_EQ(QuestionMarksOn, 1);
    EXPECT_EQ(HighScore, 999999);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    EXPECT_STREQ(SpareText, "start");  // left as it was, like a missing file

    ASSERT_EQ(SaveSettings(), 1);
    EXPECT_TRUE(fs::is_directory(SettingsPath));
    EXPECT_FALSE(fs::exists(std::string(SettingsPath) + ".new"));
}

TEST_F(SettingsFile, WritesNothingWhereItCannotWrite) {
    UseSettingsPath(folder + "/no such folder/map.tvh");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_FALSE(fs::exists(folder + "/no such folder"));

    UseSettingsPath("");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_TRUE(fs::is_empty(folder));
}

TEST_F(SettingsFile, LeavesReadOnlyFilesAndFoldersAsTheyAre) {
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser may write any file";
    WriteSettings("? OFF,SOUND OFF,ANIMATION OFF,5,OLD,,");
    fs::permissions(SettingsPath, fs::perms::owner_read);
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_EQ(ReadWholeFile(SettingsPath), "? OFF,SOUND OFF,ANIMATION OFF,5,OLD,,");

    const std::string readOnlyFolder = folder + "/read-only";
    fs::create_directory(readOnlyFolder);
    fs::permissions(readOnlyFolder, fs::perms::owner_read | fs::perms::owner_exec);
    UseSettingsPath(readOnlyFolder + "/map.tvh");
    EXPECT_EQ(SaveSettings(), 1);
    EXPECT_TRUE(fs::is_empty(readOnlyFolder));
    fs::permissions(readOnlyFolder, fs::perms::owner_all);
}

TEST_F(SettingsFile, KeepsTheOldFileWhenTheDiskFillsUp) {
    const std::string old = "? OFF,SOUND OFF,ANIMATION OFF,5,OLD,,";
    WriteSettings(old);
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
    EXPECT_EQ(ReadWholeFile(SettingsPath), old);
    EXPECT_FALSE(fs::exists(std::string(SettingsPath) + ".new"));

    EXPECT_EQ(Saved(), "? ON,SOUND ON,ANIMATION ON,4,NEW,,");
}

TEST_F(SettingsFile, ReplacesTheOldFileKeepingItsPermissions) {
    WriteSettings("? OFF,SOUND OFF,ANIMATION OFF,5,OLD,,");
    fs::permissions(SettingsPath, fs::perms::owner_read | fs::perms::owner_write);
    // A temporary file left by a save that was interrupted is no obstacle.
    std::ofstream(std::string(SettingsPath) + ".new") << "half a fi";
    EXPECT_EQ(Saved(), FirstRunFile);
    EXPECT_EQ(fs::status(SettingsPath).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(std::string(SettingsPath) + ".new"));
}

TEST(FieldWriters, WriteDigitsAndTextEachFollowedByAComma) {
    FilePointer file(std::tmpfile());
    ASSERT_TRUE(file);
    for (const int32_t value : {0, 7, 10, 999999, 2147483647, -42}) {
        EXPECT_EQ(WriteNumberField(file.get(), value), 0);
    }
    EXPECT_EQ(WriteTextField(file.get(), "? ON"), 0);
    EXPECT_EQ(WriteTextField(file.get(), ""), 0);
    std::rewind(file.get());
    char contents[80] = {};
    std::fread(contents, 1, sizeof(contents) - 1, file.get());
    EXPECT_STREQ(contents, "0,7,10,999999,2147483647,0,? ON,,");
}

TEST(FieldWriters, ReportAFailedWrite) {
    FilePointer full(std::fopen("/dev/full", "w"));
    ASSERT_TRUE(full);
    std::setvbuf(full.get(), nullptr, _IONBF, 0);  // every byte reaches the device at once
    EXPECT_EQ(WriteTextField(full.get(), "SOUND ON"), -1);
    EXPECT_EQ(WriteTextField(full.get(), ""), -1);
    EXPECT_EQ(WriteNumberField(full.get(), 12), -1);
}

}  // namespace
