// Every sound cue of the game at its moment, in whole games on the headless
// machine, each with the sound option on and off: the order and kind of the
// calls, the stops made whatever the option, the sound key in each screen,
// and the title menu's sound item.
//
// The log shows each call the game makes as "sound NAME once|loop|stop|rewind".
#include <fstream>
#include <string>
#include <vector>

#include "app/game_state.h"
#include "app/name_entry.h"
#include "board/board.h"
#include "board/clock.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/app/played_game.h"
#include "video/compose.h"

namespace {

using Sounds = std::vector<std::string>;

// The arranged field of most tests, 6 x 5 with four mines:
//   (1,0) is a 2 between two mines; (2,2) is a 0 whose opening floods;
//   the mines at the bottom right make the 2s and 1s there.
const std::vector<std::string> Field = {
    "*#*###", "######", "######", "######", "####**",
};

// The sounds of a mine going off: the explosion from its start, the music cut.
const Sounds Explosion = {"sound bang rewind", "sound bang once", "sound bgm stop"};

// What the game stops at every close, whatever the sound option: all nine.
const Sounds ClosingStops = {
    "sound bang stop", "sound do stop", "sound geco stop", "sound bgm stop",  "sound jyan stop",
    "sound wao stop",  "sound ya stop", "sound this stop", "sound bgmx stop",
};

Sounds Join(Sounds first, const Sounds& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

class CueTest : public PlayedGameTest, public ::testing::WithParamInterface<bool> {
  protected:
    bool SoundStartsOn() const { return GetParam(); }

    // What a cue sounds like with the option as this test has it: `on` when
    // sound is on, nothing when it is off.
    Sounds IfOn(const Sounds& on) const { return SoundStartsOn() ? on : Sounds{}; }

    // Starts the game on a 6 x 5 map, with the sound option as the test's
    // parameter says (from the settings file beside the map), on the title.
    void StartOnTitle() {
        const std::string map = WriteMap("cues.tvm", "Cues,6,5,4,30,");
        std::ofstream(Folder() + "/cues.tvh")
            << (SoundStartsOn() ? "? ON,SOUND ON," : "? ON,SOUND OFF,")
            << "ANIMATION ON,999999,NO NAME,,";
        Launch(map);
        Play("clock 5000\npass");
        ASSERT_EQ(GameState, Title);
        ASSERT_EQ(SoundOn, SoundStartsOn() ? 1 : 0);
        NewSounds();
    }

    // Deals a game with F1, then puts the arranged field in its place, as if
    // the first opening had already been made elsewhere.
    void StartOnField() {
        StartOnTitle();
        Play("key F1\npass");
        ASSERT_EQ(GameState, Ready);
        SetBoardFromArt(Field);
        FirstClick = 0;
        NewSounds();
    }

    // Moves the title's menu cursor onto an item.
    void SelectItem(int row) {
        Play("move 0 " + std::to_string(30 * row + 15 - MenuCursorY) + "\npass");
        ASSERT_EQ(SelectedRow, row);
    }

    // Presses and releases both buttons over a cell: one chord.
    void ChordCell(int x, int y) {
        AimAt(x, y);
        Play("down left\npass\ndown right\npass\nup left\npass\nup right\npass");
    }

    // Wins the arranged field: GameState is Won when this returns, the
    // sounds of the winning moves taken.
    void WinField() {
        StartOnField();
        OpenEverySafeCell();
        Play("pass");
        ASSERT_EQ(GameState, Won);
    }

    // From Won with a time better than the best into the name entry.
    void EnterNameEntry() {
        WinField();
        HighScore = 999999;
        NewSounds();
        Play("click left\npass");
        ASSERT_EQ(GameState, NameEntry);
    }
};

// --- the title ------------------------------------------------------------------

TEST_P(CueTest, AGameStartedByKeyStartsWithItsFanfare) {
    StartOnTitle();
    Play("key F1\npass");
    EXPECT_EQ(NewSounds(), IfOn({"sound jyan once"})) << "before the music of the game";
}

TEST_P(CueTest, AGameStartedByTheMenuStartsWithItsFanfareAlone) {
    StartOnTitle();
    SelectItem(0);
    Play("click left\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(NewSounds(), IfOn({"sound jyan once"})) << "the menu's own click is not heard";
}

TEST_P(CueTest, TheMenusOptionItemsClickBeforeTheyAct) {
    StartOnTitle();
    for (int row : {1, 3, 4}) {
        SelectItem(row);
        Play("click left\npass");
        EXPECT_EQ(NewSounds(), IfOn({"sound do once"})) << "item " << row;
    }
}

TEST_P(CueTest, TheMenusSoundItemClicksOnlyWhenItSwitchesSoundOn) {
    StartOnTitle();
    SelectItem(2);
    Play("click left\npass");
    EXPECT_EQ(SoundOn, SoundStartsOn() ? 0 : 1);
    // Switching off is silent; switching on is confirmed with a click, made
    // while the option is still off. No music is touched on the title.
    EXPECT_EQ(NewSounds(), SoundStartsOn() ? Sounds{} : Sounds{"sound do once"});
    Play("click left\npass");
    EXPECT_EQ(NewSounds(), SoundStartsOn() ? Sounds{"sound do once"} : Sounds{});
}

TEST_P(CueTest, OptionKeysClickAndTheSoundKeyClicksOnlyWhenSwitchingOn) {
    StartOnTitle();
    Play("key F2\npass\nkey F4\npass\nkey F9\npass");
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once", "sound do once"}));
    Play("key F3\npass");
    EXPECT_EQ(NewSounds(), SoundStartsOn() ? Sounds{} : Sounds{"sound do once"});
    Play("key F3\npass");
    EXPECT_EQ(NewSounds(), SoundStartsOn() ? Sounds{"sound do once"} : Sounds{}) << "and back";
}

// --- the board ------------------------------------------------------------------

TEST_P(CueTest, TheGameMusicStartsOnTheNinthClockStepFromItsBeginning) {
    StartOnTitle();
    Play("step 101\nkey F1\npass");  // from now on every pass is one clock step
    NewSounds();
    Play("pass 8");
    EXPECT_TRUE(NewSounds().empty()) << "not before the ninth step";
    Play("pass");
    EXPECT_EQ(NewSounds(), IfOn({"sound bgm rewind", "sound bgm loop"}));
    Play("pass 30");
    EXPECT_TRUE(NewSounds().empty()) << "started once, it loops by itself";
}

TEST_P(CueTest, TheFirstOpeningSoundsAfterTheMinesAreLaidAndAVoiceFollows) {
    StartOnTitle();
    Play("key F1\npass\nwait 1000");  // past the music's start
    NewSounds();
    int x = 0;
    int y = 0;
    FindCell(true, &x, &y);  // even on a mine: the first opening moves it
    AimAt(x, y);
    Play("step 101\ndown left\npass\nup left\npass");
    EXPECT_EQ(FirstClick, 0);
    EXPECT_NE(CellValue[CellIndex(x, y)], Mine);
    EXPECT_EQ(NewSounds(), IfOn({"sound geco once"}));
    Play("pass");
    EXPECT_TRUE(NewSounds().empty()) << "the voice waits two steps";
    Play("pass");
    const Sounds voice = NewSounds();
    if (SoundStartsOn()) {
        ASSERT_EQ(voice.size(), 1u);
        EXPECT_TRUE(voice[0] == "sound wao once" || voice[0] == "sound ya once") << voice[0];
    } else {
        EXPECT_TRUE(voice.empty());
    }
}

TEST_P(CueTest, MarksClickAtEveryChangeAndNotOnAnOpenCell) {
    StartOnField();
    ClickCell(3, 0, "left");  // a 0 at the top: the flood opens a region
    Play("wait 500");         // past the voice after the opening
    NewSounds();
    for (int i = 0; i < 3; ++i)
        ClickCell(5, 4, "right");  // flag, question, hidden
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once", "sound do once"}));
    EXPECT_EQ(CoverState[CellIndex(5, 4)], Hidden);
    ClickCell(3, 0, "right");
    EXPECT_TRUE(NewSounds().empty()) << "an open cell takes no mark";

    QuestionMarksOn = 0;
    ClickCell(5, 4, "right");
    ClickCell(5, 4, "right");
    EXPECT_EQ(CoverState[CellIndex(5, 4)], Hidden) << "flag, then straight back";
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once"}));
}

TEST_P(CueTest, AChordSoundsOnlyWhenItOpensSomething) {
    StartOnField();
    ClickCell(1, 0, "left");  // the 2 between the top mines
    NewSounds();
    ChordCell(1, 0);
    EXPECT_TRUE(NewSounds().empty()) << "no flags yet: the chord does nothing";
    ClickCell(0, 0, "right");
    ClickCell(2, 0, "right");
    NewSounds();
    ChordCell(1, 0);
    EXPECT_EQ(NewSounds(), IfOn({"sound geco once"}));
    EXPECT_EQ(CoverState[CellIndex(1, 1)], Open);
    ChordCell(1, 0);
    EXPECT_TRUE(NewSounds().empty()) << "nothing left to open";
}

TEST_P(CueTest, AMineExplodesAndTheExplosionIsCutOnLeavingWhateverTheOption) {
    StartOnField();
    ClickCell(3, 0, "left");
    Play("wait 500");
    NewSounds();
    ClickCell(5, 4, "left");
    ASSERT_EQ(GameState, Lost);
    // The opening sound comes first, as for any opening, then the blast.
    EXPECT_EQ(NewSounds(), IfOn(Join({"sound geco once"}, Explosion)));
    Play("down right\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(NewSounds(), Sounds{"sound bang stop"}) << "made with sound on or off";
    Play("up right\npass");
    EXPECT_TRUE(NewSounds().empty()) << "the release is on the title already";
}

TEST_P(CueTest, AWrongChordExplodesOnceForEveryMineItOpens) {
    StartOnField();
    ClickCell(1, 0, "left");
    ClickCell(0, 1, "right");  // two flags, both wrong
    ClickCell(1, 1, "right");
    NewSounds();
    ChordCell(1, 0);
    ASSERT_EQ(GameState, Lost);
    EXPECT_EQ(NewSounds(), IfOn(Join(Join({"sound geco once"}, Explosion), Explosion)));
}

TEST_P(CueTest, AWinCutsTheMusicAndItsVoiceFollowsOnTheFourthStep) {
    StartOnField();
    Play("step 101");
    OpenEverySafeCell();
    NewSounds();
    // The clock completes the win; the step it then takes is the first
    // after the win, so its voice comes three passes later, on the fourth.
    Play("pass");
    ASSERT_EQ(GameState, Won);
    EXPECT_EQ(NewSounds(), IfOn({"sound bgm stop"}));
    Play("pass 2");
    EXPECT_TRUE(NewSounds().empty()) << "no voice of a move in Won, and this waits";
    Play("pass");
    EXPECT_EQ(NewSounds(), IfOn({"sound this once"}));
    Play("pass 20");
    EXPECT_TRUE(NewSounds().empty());
}

TEST_P(CueTest, TheVoiceDrawsItsRandomNumberEvenInSilence) {
    // Games of the same clock and moves deal the same next board whether
    // the voice after the opening was heard or not; only a game that never
    // reached the voice deals another.
    auto nextBoard = [this](bool soundOn, bool waitForTheVoice) {
        PlayedGameTest::SetUp();  // a fresh machine and game
        const std::string map = WriteMap("random.tvm", "Random,16,16,40,256,");
        std::ofstream(Folder() + "/random.tvh")
            << (soundOn ? "? ON,SOUND ON," : "? ON,SOUND OFF,") << "ANIMATION ON,999999,NO NAME,,";
        Launch(map);
        Play("clock 777\npass\nkey F1\npass");
        ClickCell(8, 8, "left");
        if (waitForTheVoice)
            Play("wait 500");
        Play("key F1\npass");
        std::vector<int8_t> layout(CellValue, CellValue + BoardCells);
        Close();
        return layout;
    };
    const std::vector<int8_t> heard = nextBoard(true, true);
    EXPECT_TRUE(nextBoard(false, true) == heard);
    EXPECT_FALSE(nextBoard(SoundStartsOn(), false) == heard) << "the voice's draw shows";
}

// --- the best time and its name ----------------------------------------------------

TEST_P(CueTest, ANewBestTimeBringsItsMusicFromTheStart) {
    EnterNameEntry();
    EXPECT_EQ(NewSounds(), IfOn({"sound bgmx rewind", "sound bgmx loop"}));
}

TEST_P(CueTest, NameEntryClicksForEachCharacterAndForTheEndItStopsItsMusic) {
    EnterNameEntry();
    NewSounds();
    Play("move 0 " + std::to_string(3 * 30 + 15) + "\npass");  // END, with no name yet
    ASSERT_EQ(SelectedRow, EndRow);
    Play("click left\npass");
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_TRUE(NewSounds().empty()) << "END with an empty name is ignored silently";

    Play("move 0 -90\npass\nclick left\npass\nclick right\npass\nclick left\npass");
    EXPECT_EQ(NameLength, 1);
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once"})) << "deleting is silent";

    Play("move 0 90\npass\nclick left\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound bgmx stop"}));
}

// --- the sound key in each screen -------------------------------------------------

TEST_P(CueTest, TheSoundKeyInReadyTakesTheGameMusicAlong) {
    StartOnTitle();
    Play("key F1\npass");
    NewSounds();
    Play("key F3\npass");
    if (SoundStartsOn()) {
        // Stopped although the option is off by now.
        EXPECT_EQ(NewSounds(), (Sounds{"sound bgm rewind", "sound bgm stop"}));
    } else {
        EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound bgm rewind", "sound bgm loop"}));
    }
}

TEST_P(CueTest, TheSoundKeyWhilePlayingChangesOnlyTheOption) {
    StartOnField();
    ClickCell(3, 0, "left");
    ASSERT_EQ(GameState, Playing);
    NewSounds();
    Play("key F3\npass");
    EXPECT_EQ(NewSounds(), SoundStartsOn() ? Sounds{} : Sounds{"sound do once"});
    EXPECT_EQ(SoundOn, SoundStartsOn() ? 0 : 1);
}

TEST_P(CueTest, TheSoundKeyInNameEntryTakesItsMusicAlong) {
    EnterNameEntry();
    NewSounds();
    Play("key F3\npass");
    if (SoundStartsOn()) {
        EXPECT_EQ(NewSounds(), (Sounds{"sound bgmx rewind", "sound bgmx stop"}));
    } else {
        EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound bgmx rewind", "sound bgmx loop"}));
    }
}

// --- closing --------------------------------------------------------------------

TEST_P(CueTest, EscapeClosesSilentlyAndEverySoundIsStoppedWhateverTheOption) {
    StartOnField();
    Play("key Escape\npass");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(NewSounds(), ClosingStops);
}

TEST_P(CueTest, TheMenusExitClicksFirstAndTheCloseThenStopsEverything) {
    StartOnTitle();
    SelectItem(5);
    Play("click left\npass");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(NewSounds(), Join(IfOn({"sound do once"}), ClosingStops));
}

INSTANTIATE_TEST_SUITE_P(SoundOnAndOff, CueTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "SoundOn" : "SoundOff";
                         });

}  // namespace
