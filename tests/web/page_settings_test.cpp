// SPDX-License-Identifier: MIT
// A map's options and best time on a page: the stored entry in the settings
// file's place before the game reads it, every change the page must store,
// and the entry read back giving the same game. Whole games on the headless
// machine, as the page runs them on the web backend.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/web/page_storage.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"
#include "web/page_settings.h"

namespace {

class PageSettings : public PlayedGameTest {
  protected:
    // The map the page wrote, and where the game looks for its settings.
    std::string MapPath() { return TestFolder() + "/field.tvm"; }
    std::string SettingsFile() { return TestFolder() + "/field.tvh"; }

    void StartWithEntry(const std::string* entry) {
        WriteFieldMap();
        PlaceStoredSettings(MapPath().c_str(), entry);
        Launch(MapPath());
        Play("pass");
        ASSERT_EQ(GameState, Title);
    }
};

TEST_F(PageSettings, TheStoredEntryIsWhatTheGameReads) {
    const std::string entry = "? OFF,SOUND OFF,ANIMATION ON,42,ACE,later,";
    ASSERT_NO_FATAL_FAILURE(StartWithEntry(&entry));
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(AnimationOn, 1);
    EXPECT_EQ(HighScore, 42);
    EXPECT_STREQ(HighScoreName, "ACE");
    EXPECT_STREQ(SpareText, "later");
}

TEST_F(PageSettings, WithoutAnEntryTheGameStartsAfreshWhateverFileWasLeft) {
    // Another map of the same name, played before on this page, left its file.
    const std::string others = "? OFF,SOUND OFF,ANIMATION OFF,3,OTHER,,";
    const std::string refused = "? OFF,SOUND OFF,ANIMATION OFF,3,\xE2\x82\xAC,,";  // €: never ours
    for (const std::string* entry : {static_cast<const std::string*>(nullptr), &refused}) {
        Restart();
        WriteTestFile("field.tvh", others);
        ASSERT_NO_FATAL_FAILURE(StartWithEntry(entry));
        EXPECT_EQ(ReadWholeFile(SettingsFile()), "<missing>");
        EXPECT_EQ(QuestionMarksOn, 1);
        EXPECT_EQ(SoundOn, 1);
        EXPECT_EQ(AnimationOn, 1);
        EXPECT_EQ(HighScore, NoHighScore);
        EXPECT_STREQ(HighScoreName, "NO NAME");
        Close();
    }
}

TEST_F(PageSettings, EveryChangeIsSeenAndItsEntryGivesTheSameGameBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithEntry(nullptr));
    SettingsSnapshot stored = TakeSettingsSnapshot();
    Play("pass 5\nmove 0 40\npass");
    EXPECT_EQ(TakeSettingsSnapshot(), stored);  // play that changes no option

    Play("key F2\npass");
    EXPECT_NE(TakeSettingsSnapshot(), stored);
    std::string entry;
    ASSERT_TRUE(MakeSettingsEntry(&entry));
    EXPECT_EQ(entry, "? OFF,SOUND ON,ANIMATION ON,999999,NO NAME,,");
    stored = TakeSettingsSnapshot();
    Play("key F9\npass");  // forgetting a best time nobody has changes nothing
    EXPECT_EQ(TakeSettingsSnapshot(), stored);
    Play("key F4\npass");
    EXPECT_NE(TakeSettingsSnapshot(), stored);
    ASSERT_TRUE(MakeSettingsEntry(&entry));
    Close();

    // The next visit: the entry in the file's place.
    Restart();
    ASSERT_NO_FATAL_FAILURE(StartWithEntry(&entry));
    EXPECT_EQ(QuestionMarksOn, 0);
    EXPECT_EQ(AnimationOn, 0);
    EXPECT_EQ(SoundOn, 1);
}

TEST_F(PageSettings, ANewBestTimeIsSeenFromItsFirstMomentAndEveryLetter) {
    ASSERT_NO_FATAL_FAILURE(StartOnField());
    OpenEverySafeCell();
    Play("pass");
    ASSERT_EQ(GameState, Won);
    SettingsSnapshot stored = TakeSettingsSnapshot();
    // The press after the win stores the new time with an empty name...
    Play("click left\npass");
    ASSERT_EQ(GameState, NameEntry);
    EXPECT_NE(TakeSettingsSnapshot(), stored);
    stored = TakeSettingsSnapshot();
    EXPECT_LT(stored.highScore, NoHighScore);
    EXPECT_EQ(stored.highScoreName, "");
    // ...and each letter picked is a change of its own.
    Play("click left\npass");
    EXPECT_NE(TakeSettingsSnapshot(), stored);
    EXPECT_EQ(TakeSettingsSnapshot().highScoreName, "A");
    std::string entry;
    ASSERT_TRUE(MakeSettingsEntry(&entry));
    EXPECT_EQ(entry, "? ON,SOUND ON,ANIMATION ON," + std::to_string(HighScore) + ",A,,");
}

TEST_F(PageSettings, AHandEditedFileKeepsEveryByteThroughThePage) {
    // A spare text in Latin-1, from an editor on an older system.
    const std::string file = "? ON,SOUND OFF,ANIMATION ON,77,Zo\xEB,caf\xE9,";
    WriteTestFile("field.tvh", file);
    WriteFieldMap();
    Launch(MapPath());
    Play("pass");
    std::string entry;
    ASSERT_TRUE(MakeSettingsEntry(&entry));
    EXPECT_EQ(entry, "? ON,SOUND OFF,ANIMATION ON,77,Zo\xC3\xAB,caf\xC3\xA9,");
    Close();

    Restart();
    ASSERT_NO_FATAL_FAILURE(StartWithEntry(&entry));
    EXPECT_EQ(ReadWholeFile(SettingsFile()), file);
    EXPECT_STREQ(SpareText, "caf\xE9");
    EXPECT_STREQ(HighScoreName, "Zo\xEB");
}

}  // namespace
