// The game clock: the 100 ms gate, the completion of a win, and the timing
// of the face blinks, the music and the voice cues, counted in clock steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "board/random.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/board/board_checks.h"
#include "tests/support/game_fixture.h"
#include "tests/support/test_sounds.h"

namespace {

using Lines = std::vector<std::string>;

class ClockTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadTestSounds());
        HeadlessSetTicks(10000);
        LastTick = 10000;
    }

    // Runs `steps` clock steps and returns, for each, the face picture
    // shown after it and the sounds it made ("" when none).
    struct Step {
        int32_t facePhase;
        std::string sounds;
    };
    std::vector<Step> RunSteps(int steps) {
        std::vector<Step> result;
        for (int step = 0; step < steps; ++step) {
            HeadlessClearLog();
            RunClockStep();
            std::string sounds;
            for (const std::string& line : HeadlessLog())
                sounds += (sounds.empty() ? "" : ", ") + line;
            result.push_back({FacePhase, sounds});
        }
        return result;
    }

    static std::vector<int32_t> Phases(const std::vector<Step>& steps) {
        std::vector<int32_t> phases;
        for (const Step& step : steps)
            phases.push_back(step.facePhase);
        return phases;
    }

    // Which steps (1-based) made a sound, and what it was.
    static Lines SoundsByStep(const std::vector<Step>& steps) {
        Lines lines;
        for (size_t i = 0; i < steps.size(); ++i) {
            if (!steps[i].sounds.empty())
                lines.push_back(std::to_string(i + 1) + ": " + steps[i].sounds);
        }
        return lines;
    }
};

// ---- The 100 ms gate ------------------------------------------------------

TEST_F(ClockTest, AStepRunsOnlyOnceMoreThan100MillisecondsHavePassed) {
    FaceBlinkDelay = 5;
    HeadlessAdvanceTicks(100);
    ClockStep();
    EXPECT_EQ(FaceBlinkDelay, 5);
    HeadlessAdvanceTicks(1);
    ClockStep();
    EXPECT_EQ(FaceBlinkDelay, 4);
    EXPECT_EQ(LastTick, 10101u);
    ClockStep();  // the very next frame: too soon
    EXPECT_EQ(FaceBlinkDelay, 4);
}

TEST_F(ClockTest, TheGateKeepsItsPaceAcrossTheWrapOfTheTickCount) {
    struct Case {
        uint32_t lastTick;
        uint32_t now;
        bool steps;
    };
    const Case cases[] = {
        {0xFFFFFFC0u, 0xFFFFFFF0u, false},  // 48 ms, below the wrap
        {0xFFFFFFF0u, 0xFFFFFFFAu, false},  // 10 ms, though LastTick + 100 wraps to 0x54
        {0xFFFFFFC0u, 0x00000020u, false},  // 96 ms, across the wrap
        {0xFFFFFFC0u, 0x00000025u, true},   // 101 ms, across the wrap
        {0xFFFFFF90u, 0x00000010u, true},   // 128 ms: must not wait for LastTick + 100
    };
    for (const Case& c : cases) {
        LastTick = c.lastTick;
        HeadlessSetTicks(c.now);
        FaceBlinkDelay = 3;
        ClockStep();
        EXPECT_EQ(FaceBlinkDelay, c.steps ? 2 : 3) << std::hex << c.lastTick << " -> " << c.now;
        EXPECT_EQ(LastTick, c.steps ? c.now : c.lastTick) << std::hex << c.lastTick;
    }
}

// ---- Countdowns after the events that load them ---------------------------

TEST_F(ClockTest, NewGameBlinksOnSteps6To9AndStartsTheMusicOnStep9) {
    SetBoardFromArt({"####", "####"});
    MineCount = 1;
    NewGame();
    const std::vector<Step> steps = RunSteps(12);
    EXPECT_EQ(Phases(steps), std::vector<int32_t>({0, 0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(SoundsByStep(steps), Lines({"9: sound bgm rewind, sound bgm loop"}));
    EXPECT_EQ(MusicCountdown, -1);
}

TEST_F(ClockTest, AMoveBringsAVoiceCueOnStep2AndABlinkOnSteps3And4) {
    StartFixedGame({"*#*#", "####"});
    SeedRandom(0);  // draws 38 (even: "ya"), then 7719 (odd: "wao")
    AimAt(1, 0);
    OpenAtView();
    HeadlessClearLog();
    std::vector<Step> steps = RunSteps(6);
    EXPECT_EQ(Phases(steps), std::vector<int32_t>({0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(SoundsByStep(steps), Lines({"2: sound ya once"}));
    EXPECT_EQ(VoiceCountdown, -1);

    AimAt(3, 1);
    OpenAtView();
    steps = RunSteps(3);
    EXPECT_EQ(SoundsByStep(steps), Lines({"2: sound wao once"}));
}

TEST_F(ClockTest, ANewMovePostponesThePendingVoiceCue) {
    StartFixedGame({"*###", "####"});
    AimAt(1, 0);
    OpenAtView();
    RunSteps(1);
    AimAt(1, 1);
    OpenAtView();
    const std::vector<Step> steps = RunSteps(3);
    EXPECT_EQ(SoundsByStep(steps).size(), 1u);
    EXPECT_TRUE(steps[0].sounds.empty()) << "the first move's cue was due here";
    EXPECT_FALSE(steps[1].sounds.empty());
}

TEST_F(ClockTest, WithSoundOffTheVoiceCueStillDrawsItsNumber) {
    StartFixedGame({"*#*#", "####"});
    SoundOn = 0;
    SeedRandom(0);
    AimAt(1, 0);
    OpenAtView();
    RunSteps(2);
    EXPECT_TRUE(HeadlessLog().empty());
    EXPECT_EQ(VoiceCountdown, -1);
    EXPECT_EQ(NextRandom(), 7719) << "the cue used up the first draw, 38";
}

TEST_F(ClockTest, AMineBlinksTheFaceOnSteps11To14) {
    StartFixedGame({"*#"});
    AimAt(0, 0);
    OpenAtView();
    HeadlessClearLog();
    const std::vector<Step> steps = RunSteps(15);
    EXPECT_EQ(Phases(steps), std::vector<int32_t>({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 0}));
    EXPECT_TRUE(SoundsByStep(steps).empty());
    EXPECT_EQ(ResultPending, NoResult) << "the loss signal is simply cleared";
    EXPECT_EQ(GameState, Lost);
}

TEST_F(ClockTest, MusicAndVoiceWaitOutsideReadyAndPlaying) {
    for (int32_t state : {Title, Lost, Won, NameEntry}) {
        GameState = state;
        MusicCountdown = 1;
        VoiceCountdown = 1;
        const std::vector<Step> steps = RunSteps(3);
        EXPECT_EQ(MusicCountdown, 1) << "GameState " << state;
        EXPECT_EQ(VoiceCountdown, 1) << "GameState " << state;
        EXPECT_TRUE(SoundsByStep(steps).empty()) << "GameState " << state;
    }
    // A cue still pending when a game ended plays early in the next one.
    GameState = Lost;
    SetBoardFromArt({"###"});
    NewGame();
    const std::vector<Step> steps = RunSteps(1);
    EXPECT_EQ(SoundsByStep(steps).size(), 1u);
}

TEST_F(ClockTest, TheWinVoiceCuePlaysOnlyInWon) {
    WinVoiceCountdown = 1;
    GameState = Playing;
    RunSteps(2);
    EXPECT_EQ(WinVoiceCountdown, 1);
    GameState = Won;
    const std::vector<Step> steps = RunSteps(2);
    EXPECT_EQ(SoundsByStep(steps), Lines({"1: sound this once"}));
    EXPECT_EQ(WinVoiceCountdown, -1);
}

// ---- Completing a win -----------------------------------------------------

TEST_F(ClockTest, AWinFlagsTheCoveredMinesOnTheNextFrameStepOrNot) {
    StartFixedGame({
        "*#*",  //
        "##*",  //
    });
    QuestionMarksOn = 1;
    HeadlessSetTicks(10050);  // the gate stays closed on the frames below
    AimAt(0, 0);
    CycleMarkAtView();  // a correct flag
    AimAt(2, 0);
    CycleMarkAtView();
    CycleMarkAtView();  // a question mark on a mine
    const uint32_t markedAt = ChangeTime[CellIndex(2, 0)];
    for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}}) {
        AimAt(x, y);
        OpenAtView();
    }
    ASSERT_EQ(ResultPending, WinPending);
    ASSERT_EQ(GameState, Playing);
    HeadlessClearLog();

    ClockStep();
    EXPECT_EQ(GameState, Won);
    EXPECT_EQ(ResultPending, NoResult);
    EXPECT_EQ(CoverArt(), Lines({"FOF", "OOF"}));
    EXPECT_EQ(MinesLeft, 0);
    EXPECT_EQ(ChangeTime[CellIndex(2, 0)], markedAt) << "the win's flags do not animate";
    EXPECT_EQ(ChangeTime[CellIndex(2, 1)], 0u);
    EXPECT_EQ(HeadlessLog(), Lines({"sound bgm stop"}));
    EXPECT_EQ(WinVoiceCountdown, 4);
    EXPECT_TRUE(BoardInvariantsHold());

    const std::vector<Step> steps = RunSteps(11);
    EXPECT_EQ(Phases(steps), std::vector<int32_t>({0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 0}));
    EXPECT_EQ(SoundsByStep(steps), Lines({"4: sound this once"}))
        << "and never the winning move's own voice cue";
}

TEST_F(ClockTest, TheStepOfAWinRunsNoGameCues) {
    StartFixedGame({"*#"});
    AimAt(1, 0);
    OpenAtView();
    ASSERT_EQ(ResultPending, WinPending);
    MusicCountdown = 1;
    VoiceCountdown = 1;
    HeadlessClearLog();
    RunClockStep();
    EXPECT_EQ(GameState, Won);
    EXPECT_EQ(HeadlessLog(), Lines({"sound bgm stop"}));
    EXPECT_EQ(MusicCountdown, 1);
    EXPECT_EQ(VoiceCountdown, 1);
    EXPECT_EQ(WinVoiceCountdown, 3) << "the win's own countdown starts on that step";
}

// ---- Elapsed time ---------------------------------------------------------

TEST_F(ClockTest, ElapsedTimeIsWholeSecondsAcrossTheWrap) {
    SetBoardFromArt({"##"});
    NewGame();
    EXPECT_EQ(ElapsedSeconds(), 0u) << "a game in Ready";
    StartTick = 0xFFFFF000u;
    EndTick = 0x00001000u;  // 8192 ms later
    EXPECT_EQ(ElapsedSeconds(), 8u);
    EndTick = StartTick + 999;
    EXPECT_EQ(ElapsedSeconds(), 0u);
}

}  // namespace
