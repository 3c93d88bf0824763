// SPDX-License-Identifier: MIT
// The name of a new best time, picked on the letter grid with the mouse.
#include <cstring>
#include <string>

#include "files/map_file.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"

namespace {

class NameEntryTest : public PlayedGameTest {
  protected:
    void SetUp() override {
        PlayedGameTest::SetUp();
        EnterNameEntry();
        NewSounds();
    }

    // Moves the grid cursor onto a column of a row (row 3 is END) and clicks.
    void Pick(int column, int row) {
        Play("move " + std::to_string(30 * column + 15 - MenuCursorX) + " " +
             std::to_string(30 * row + 15 - MenuCursorY) + "\npass\nclick left\npass");
    }
};

// END is ignored while the name is empty. The left button adds the selected
// character (the last of the grid is a blank), the right one takes the last
// away, and END finishes.
TEST_F(NameEntryTest, CharactersComeAndGoAndEndFinishesOnceThereIsOne) {
    Play("click right\npass");  // deleting from nothing
    EXPECT_EQ(NameLength, 0);
    Pick(20, EndRow);  // ignored, or the characters below would go nowhere
    Pick(0, 0);
    Pick(2, 1);
    Pick(25, 2);
    Pick(9, 2);
    EXPECT_STREQ(HighScoreName, "Ac 9");
    Play("click right\npass");
    EXPECT_STREQ(HighScoreName, "Ac ");
    EXPECT_EQ(NameLength, 3);
    Pick(0, EndRow);
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(MenuCursorY, 0);
    EXPECT_EQ(std::string(LetterGrid).find(','), std::string::npos)
        << "a name must always fit one field of the settings file";
}

// F9 clears the best time, and the name goes on being written where it had
// got to, over "NO NAME", up to ten characters; the eleventh is refused
// silently. Escape saves the name as it stands.
TEST_F(NameEntryTest, F9KeepsThePositionAndTheNameHoldsTenCharacters) {
    for (int i = 0; i < 3; ++i)
        Pick(0, 0);
    std::strcpy(SpareText, "extra");
    Play("key F9\npass");
    EXPECT_EQ(HighScore, NoHighScore);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    EXPECT_STREQ(SpareText, "");
    EXPECT_EQ(GameState, NameEntry);
    Pick(25, 0);
    EXPECT_STREQ(HighScoreName, "NO Z");
    for (int i = 0; i < 6; ++i)
        Play("click left\npass");
    EXPECT_STREQ(HighScoreName, "NO ZZZZZZZ");
    NewSounds();
    Play("click left\npass");
    EXPECT_STREQ(HighScoreName, "NO ZZZZZZZ");
    EXPECT_EQ(NameLength, 10);
    EXPECT_TRUE(NewSounds().empty());
    Play("key Escape\npass");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(ReadWholeFile(SettingsPath), "? ON,SOUND ON,ANIMATION ON,999999,NO ZZZZZZZ,,");
}

// F1 leaves the entry with the new time and the name so far; its music
// plays on.
TEST_F(NameEntryTest, LeavingEarlyKeepsTheNewTimeAndTheNameSoFar) {
    const int32_t best = HighScore;
    Pick(1, 0);
    NewSounds();
    Play("key F1\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(HighScore, best);
    EXPECT_STREQ(HighScoreName, "B");
    EXPECT_EQ(NewSounds(), std::vector<std::string>{"sound jyan once"})
        << "the name-entry music keeps playing";
}

// The new time is on the disk as soon as it is stored, and the name as soon
// as it is finished: each time the very bytes a close would write then, so
// no way of ending the game (a lost display, a crash) loses the record.
TEST_F(NameEntryTest, TheRecordIsSavedWhenStoredAndWhenTheNameIsFinished) {
    const std::string settings = SettingsPath;
    const std::string time = std::to_string(HighScore);
    EXPECT_EQ(ReadWholeFile(settings), "? ON,SOUND ON,ANIMATION ON," + time + ",,,");
    Pick(1, 0);
    Pick(0, 0);
    EXPECT_EQ(ReadWholeFile(settings), "? ON,SOUND ON,ANIMATION ON," + time + ",,,")
        << "a name being entered is saved when it is finished";
    Pick(0, EndRow);
    ASSERT_EQ(GameState, Title);
    EXPECT_EQ(ReadWholeFile(settings), "? ON,SOUND ON,ANIMATION ON," + time + ",BA,,");
    Close();
    EXPECT_EQ(ReadWholeFile(settings), "? ON,SOUND ON,ANIMATION ON," + time + ",BA,,");
}

}  // namespace
