// SPDX-License-Identifier: MIT
// Every sound cue of the game at its moment, in whole games on the headless
// machine with the sound option on and off, as the log shows the calls:
// "sound NAME once|loop|stop|rewind".
#include <string>
#include <tuple>
#include <vector>

#include "board/board.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/support/played_game.h"
#include "video/compose.h"

namespace {

using Sounds = std::vector<std::string>;

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
    bool On() const { return GetParam(); }
    // `sounds` with sound on, nothing with sound off.
    Sounds IfOn(const Sounds& sounds) const { return On() ? sounds : Sounds{}; }

    // Presses and releases both buttons over a cell: one chord.
    void ChordCell(int x, int y) {
        AimAt(x, y);
        Play("down left\npass\ndown right\npass\nup left\npass\nup right\npass");
    }
};

TEST_P(CueTest, AGameStartsWithItsFanfareAloneByTheMenuAndByTheKey) {
    StartOnTitle(On());
    SelectMenuItem(0);
    Play("click left\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(NewSounds(), IfOn({"sound jyan once"})) << "the menu's own click is not heard";
    Play("key F1\npass");
    EXPECT_EQ(NewSounds(), IfOn({"sound jyan once"}));
}

// The option items click and act as F2, F4 and F9 do, which click and act
// back; the right button and keys without an action do nothing. The sound
// option, by its item or its key, is silent switching off and clicks
// switching on, while still off; no music is touched on the title.
TEST_P(CueTest, TheTitlesOptionsClickAndTheSoundOptionOnlyWhenSwitchingOn) {
    using Options = std::tuple<int32_t, int32_t, int32_t>;  // ?-marks, animation, best time
    StartOnTitle(On());
    HighScore = 42;
    for (const int item : {1, 3, 4}) {
        SelectMenuItem(item);
        Play("click left\npass");
        EXPECT_EQ(NewSounds(), IfOn({"sound do once"})) << "item " << item;
    }
    EXPECT_EQ(Options(QuestionMarksOn, AnimationOn, HighScore), Options(0, 0, NoHighScore));
    HighScore = 42;
    Play("key F2\npass\nkey F4\npass\nkey F9\npass");
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once", "sound do once"}));
    EXPECT_EQ(Options(QuestionMarksOn, AnimationOn, HighScore), Options(1, 1, NoHighScore));
    HighScore = 42;  // the menu cursor is still on the item that clears it
    Play("click right\nkey F5\nkey F8\nkey F10\nkey A\nkey Enter\nkey Space\nkey 0\npass");
    EXPECT_TRUE(NewSounds().empty());
    EXPECT_EQ(Options(QuestionMarksOn, AnimationOn, HighScore), Options(1, 1, 42));
    SelectMenuItem(2);
    for (const std::string how : {"click left", "key F3"}) {
        SCOPED_TRACE(how);
        Play(how + "\npass");
        EXPECT_EQ(SoundOn, On() ? 0 : 1);
        EXPECT_EQ(NewSounds(), On() ? Sounds{} : Sounds{"sound do once"});
        Play(how + "\npass");
        EXPECT_EQ(NewSounds(), On() ? Sounds{"sound do once"} : Sounds{}) << "and back";
    }
}

TEST_P(CueTest, TheGameMusicStartsOnTheNinthClockStepFromItsBeginning) {
    StartOnTitle(On());
    Play("step 101\nkey F1\npass");  // from now on every pass is one clock step
    NewSounds();
    Play("pass 8");
    EXPECT_TRUE(NewSounds().empty()) << "not before the ninth step";
    Play("pass");
    EXPECT_EQ(NewSounds(), IfOn({"sound bgm rewind", "sound bgm loop"}));
    Play("pass 30");
    EXPECT_TRUE(NewSounds().empty()) << "started once, it loops by itself";
}

TEST_P(CueTest, TheFirstOpeningSoundsOnceItsMineIsMovedAndAVoiceFollows) {
    StartOnField(On());
    FirstClick = 1;     // even on a mine: the first opening moves it
    Play("wait 1000");  // past the music's start
    NewSounds();
    AimAt(5, 4);  // a mine beside another: it opens alone once moved
    Play("step 101\ndown left\npass\nup left\npass");
    EXPECT_NE(CellValue[CellIndex(5, 4)], Mine);
    EXPECT_EQ(NewSounds(), IfOn({"sound geco once"}));
    Play("pass");
    EXPECT_TRUE(NewSounds().empty()) << "the voice waits two steps";
    Play("pass");
    const Sounds voice = NewSounds();
    EXPECT_TRUE(voice == IfOn({"sound wao once"}) || voice == IfOn({"sound ya once"}));
}

TEST_P(CueTest, MarksClickAtEveryChangeAndNotOnAnOpenCell) {
    StartOnField(On());
    ClickCell(3, 0, "left");
    Play("wait 500");  // past the voice after the opening
    NewSounds();
    for (int i = 0; i < 3; ++i)
        ClickCell(5, 4, "right");  // flag, question, hidden
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once", "sound do once"}));
    ClickCell(3, 0, "right");
    EXPECT_TRUE(NewSounds().empty()) << "an open cell takes no mark";
}

TEST_P(CueTest, AChordSoundsOnlyWhenItOpensSomething) {
    StartOnField(On());
    ClickCell(1, 0, "left");  // the 2 between the top mines
    NewSounds();
    ChordCell(1, 0);
    EXPECT_TRUE(NewSounds().empty()) << "no flags yet: the chord does nothing";
    ClickCell(0, 0, "right");
    ClickCell(2, 0, "right");
    NewSounds();
    ChordCell(1, 0);
    EXPECT_EQ(NewSounds(), IfOn({"sound geco once"}));
    ChordCell(1, 0);
    EXPECT_TRUE(NewSounds().empty()) << "nothing left to open";
}

TEST_P(CueTest, AMineExplodesAndTheExplosionIsCutOnLeavingWhateverTheOption) {
    StartOnField(On());
    ClickCell(3, 0, "left");
    Play("wait 500");
    NewSounds();
    ClickCell(5, 4, "left");
    ASSERT_EQ(GameState, Lost);
    // The opening sound comes first, as for any opening, then the blast.
    EXPECT_EQ(NewSounds(), IfOn(Join({"sound geco once"}, Explosion)));
    Play("down right\npass\nup right\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(NewSounds(), Sounds{"sound bang stop"}) << "made with sound on or off";
}

TEST_P(CueTest, AWrongChordExplodesOnceForEveryMineItOpens) {
    StartOnField(On());
    ClickCell(1, 0, "left");
    ClickCell(0, 1, "right");  // two flags, both wrong
    ClickCell(1, 1, "right");
    NewSounds();
    ChordCell(1, 0);
    ASSERT_EQ(GameState, Lost);
    EXPECT_EQ(NewSounds(), IfOn(Join(Join({"sound geco once"}, Explosion), Explosion)));
}

TEST_P(CueTest, AWinCutsTheMusicAndItsVoiceFollowsOnTheFourthStep) {
    StartOnField(On());
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

// A new best time brings its music from the start; each character clicks,
// deleting and an END with no name yet are silent, and END stops the music.
TEST_P(CueTest, TheNameEntryHasItsMusicAndClicks) {
    EnterNameEntry(On());
    EXPECT_EQ(NewSounds(), IfOn({"sound bgmx rewind", "sound bgmx loop"}));
    Play("move 0 105\npass\nclick left\npass");
    ASSERT_EQ(SelectedRow, EndRow);
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_TRUE(NewSounds().empty());
    Play("move 0 -90\npass\nclick left\npass\nclick right\npass\nclick left\npass");
    EXPECT_EQ(NameLength, 1);
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound do once"}));
    Play("move 0 90\npass\nclick left\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(NewSounds(), IfOn({"sound do once", "sound bgmx stop"}));
}

// The sound key takes the music of Ready and of the name entry along, from
// its beginning or stopped although the option is off by then; while
// playing it changes only the option.
TEST_P(CueTest, TheSoundKeyTakesTheMusicOfTheScreenAlong) {
    auto switchAndBack = [this](const std::string& music) {
        SCOPED_TRACE(music);
        NewSounds();
        Play("key F3\npass");
        EXPECT_EQ(SoundOn, On() ? 0 : 1);
        Sounds expected = On() ? Sounds{} : Sounds{"sound do once"};
        if (!music.empty())
            expected = Join(expected, {music + " rewind", music + (On() ? " stop" : " loop")});
        EXPECT_EQ(NewSounds(), expected);
        Play("key F3\npass");
    };
    StartOnField(On());
    switchAndBack("sound bgm");
    ClickCell(3, 0, "left");
    switchAndBack("");
    OpenEverySafeCell();
    Play("pass\nclick left\npass");
    ASSERT_EQ(GameState, NameEntry);
    switchAndBack("sound bgmx");
}

TEST_P(CueTest, EscapeClosesSilentlyAndEverySoundIsStoppedWhateverTheOption) {
    StartOnField(On());
    Play("key Escape\npass");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(NewSounds(), ClosingStops);
}

TEST_P(CueTest, TheMenusExitClicksFirstAndTheCloseThenStopsEverything) {
    StartOnTitle(On());
    SelectMenuItem(5);
    Play("click left\npass");
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(NewSounds(), Join(IfOn({"sound do once"}), ClosingStops));
}

INSTANTIATE_TEST_SUITE_P(SoundOnAndOff, CueTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "SoundOn" : "SoundOff";
                         });

}  // namespace
