// The name of a new best time, picked on the letter grid with the mouse.
#include <fstream>
#include <sstream>

#include "app/game_state.h"
#include "app/name_entry.h"
#include "files/map_file.h"
#include "files/settings.h"
#include "tests/app/played_game.h"
#include "video/compose.h"

namespace {

using Sounds = std::vector<std::string>;

class NameEntryTest : public PlayedGameTest {
  protected:
    // Wins the small map with a better time than the best: the name entry is
    // up with the grid cursor on 'A'.
    void SetUp() override {
        PlayedGameTest::SetUp();
        Launch(WriteSmallMap());
        Play("clock 0\npass\nkey F1\npass");
        OpenEverySafeCell();
        Play("pass\nclick left\npass");
        ASSERT_EQ(GameState, NameEntry);
        NewSounds();
    }

    // Moves the grid cursor onto column c of row r (row 3 is END).
    void Select(int column, int row) {
        Play("move " + std::to_string(30 * column + 15 - MenuCursorX) + " " +
             std::to_string(30 * row + 15 - MenuCursorY) + "\npass");
        ASSERT_EQ(SelectedRow, row);
        if (row < 3) {
            ASSERT_EQ(SelectedColumn, column);
        }
    }
};

TEST_F(NameEntryTest, LeftAddsTheSelectedCharacterRightTakesTheLastAway) {
    Select(0, 0);
    Play("click left\npass");
    Select(2, 1);
    Play("click left\npass");
    Select(9, 2);
    Play("click left\npass");
    EXPECT_STREQ(HighScoreName, "Ac9");
    EXPECT_EQ(NameLength, 3);
    EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound do once", "sound do once"}));
    Play("click right\npass");
    EXPECT_STREQ(HighScoreName, "Ac");
    EXPECT_EQ(NameLength, 2);
    EXPECT_TRUE(NewSounds().empty()) << "deleting is silent";
}

TEST_F(NameEntryTest, TheNameHoldsTenCharactersAndTheEleventhIsSilent) {
    Select(25, 0);
    for (int i = 0; i < 10; ++i)
        Play("click left\npass");
    EXPECT_STREQ(HighScoreName, "ZZZZZZZZZZ");
    NewSounds();
    Play("click left\npass");
    EXPECT_STREQ(HighScoreName, "ZZZZZZZZZZ");
    EXPECT_EQ(NameLength, 10);
    EXPECT_TRUE(NewSounds().empty());
}

TEST_F(NameEntryTest, EndIsIgnoredWhileTheNameIsEmpty) {
    Play("click right\npass");  // deleting from nothing
    EXPECT_EQ(NameLength, 0);
    Select(5, 3);
    Play("click left\npass");
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_TRUE(NewSounds().empty());
}

TEST_F(NameEntryTest, EndFinishesTheNameAndItIsSaved) {
    Select(0, 0);
    Play("click left\npass");
    Select(2, 0);
    Play("click left\npass");
    Select(4, 0);
    Play("click left\npass");
    NewSounds();
    Select(20, 3);
    EXPECT_EQ(SelectedColumn, 13) << "the END row has one cell, under the word";
    Play("click left\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(MenuCursorY, 0);
    EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound bgmx stop"}));
    const int32_t best = HighScore;
    Close();
    std::ifstream file(SettingsPath);
    std::ostringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), "? ON,SOUND ON,ANIMATION ON," + std::to_string(best) + ",ACE,,");
}

// The grid's far corners: the last column of row 2 is a blank, and every
// position of the bottom 30 mouse pixels is END.
TEST_F(NameEntryTest, TheCursorReachesTheBlankAndEnd) {
    Play("move 5000 -5000\npass");
    EXPECT_EQ(MenuCursorX, 779);
    EXPECT_EQ(MenuCursorY, 0);
    Play("move 0 60\npass");
    EXPECT_EQ(SelectedColumn, 25);
    Play("click left\npass\nclick left\npass");
    EXPECT_STREQ(HighScoreName, "  ") << "a name may be blanks only";
    Play("move -5000 30\npass");
    EXPECT_EQ(MenuCursorX, 0);
    EXPECT_EQ(SelectedRow, 3);
    Play("move 0 5000\npass");
    EXPECT_EQ(MenuCursorY, 119);
    EXPECT_EQ(SelectedRow, 3);
    Play("click left\npass");
    EXPECT_EQ(GameState, Title);
}

// F9 clears the best time, and the name goes on being written where it had
// got to, over "NO NAME".
TEST_F(NameEntryTest, ClearingTheBestTimeDuringTheEntryKeepsThePosition) {
    Select(0, 0);
    for (int i = 0; i < 3; ++i)
        Play("click left\npass");
    Play("key F9\npass");
    EXPECT_EQ(HighScore, 999999);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    EXPECT_EQ(NameLength, 3);
    EXPECT_EQ(GameState, NameEntry);
    Select(25, 0);
    Play("click left\npass");
    EXPECT_STREQ(HighScoreName, "NO Z");
}

TEST_F(NameEntryTest, F1LeavesWithTheNewTimeThePartialNameAndTheMusic) {
    const int32_t best = HighScore;
    Select(1, 0);
    Play("click left\npass");
    NewSounds();
    Play("key F1\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(HighScore, best);
    EXPECT_STREQ(HighScoreName, "B");
    EXPECT_EQ(NewSounds(), Sounds{"sound jyan once"}) << "the name-entry music keeps playing";
}

TEST_F(NameEntryTest, F3TakesTheNameEntryMusicAlong) {
    Play("key F3\npass");
    EXPECT_EQ(NewSounds(), (Sounds{"sound bgmx rewind", "sound bgmx stop"}));
    Play("key F3\npass");
    EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound bgmx rewind", "sound bgmx loop"}));
    EXPECT_EQ(GameState, NameEntry);
}

TEST_F(NameEntryTest, EscapeSavesTheNewTimeWithTheNameSoFar) {
    Select(7, 0);
    Play("click left\npass\nkey Escape\npass");
    EXPECT_FALSE(game->Running());
    std::ifstream file(SettingsPath);
    std::ostringstream content;
    content << file.rdbuf();
    EXPECT_EQ(content.str(), "? ON,SOUND ON,ANIMATION ON," + std::to_string(HighScore) + ",H,,");
}

// The grid itself: three rows of 26, no comma anywhere, so a name always
// fits one field of the settings file.
TEST(LetterGridTest, HoldsCapitalsSmallLettersDigitsAndSigns) {
    ASSERT_EQ(std::string(LetterGrid).size(), 78u);
    EXPECT_EQ(std::string(LetterGrid, 26), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(std::string(LetterGrid + 26, 26), "abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(std::string(LetterGrid + 52, 26), "0123456789!?@\"'#%&()/-*+. ");
    EXPECT_EQ(std::string(LetterGrid).find(','), std::string::npos);
}

}  // namespace
