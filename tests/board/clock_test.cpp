// SPDX-License-Identifier: MIT
// The game clock: the 100 ms gate, the completion of a win, and the timing
// of the face blinks, the music and the voice cues, counted in clock steps.
#include <gtest/gtest.h>

#include "tests/board/board_checks.h"

namespace {

// What `steps` clock steps showed: the face picture after each ("0010"),
// and each sound with the step (1-based) that made it, e.g. "2: sound ya once".
struct Timeline {
    std::string phases;
    Lines sounds;
};

Timeline RunSteps(size_t steps) {
    Timeline timeline;
    for (size_t step = 1; step <= steps; ++step) {
        HeadlessClearLog();
        RunClockStep();
        timeline.phases += static_cast<char>('0' + FacePhase);
        for (const std::string& line : HeadlessLog())
            timeline.sounds.push_back(std::to_string(step) + ": " + line);
    }
    return timeline;
}

class ClockTest : public BoardTest {};

TEST_F(ClockTest, AStepRunsOnlyOnceMoreThan100MillisecondsHavePassedEvenAcrossTheWrap) {
    const struct {
        uint32_t lastTick, now;
        bool steps;
    } cases[] = {
        {10000, 10100, false},
        {10000, 10101, true},
        {0xFFFFFFF0u, 0xFFFFFFFAu, false},  // 10 ms, though LastTick + 100 wraps to 0x54
        {0xFFFFFFC0u, 0x00000020u, false},  // 96 ms, across the wrap
        {0xFFFFFFC0u, 0x00000025u, true},   // 101 ms, across the wrap
        {0xFFFFFF90u, 0x00000010u, true},   // 128 ms: must not wait for LastTick + 100
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.lastTick << " -> " << c.now);
        LastTick = c.lastTick;
        HeadlessSetTicks(c.now);
        FaceBlinkDelay = 3;
        ClockStep();
        EXPECT_EQ(FaceBlinkDelay, c.steps ? 2 : 3);
        EXPECT_EQ(LastTick, c.steps ? c.now : c.lastTick);
    }
}

TEST_F(ClockTest, EventsLoadTheirCountdownsInSteps) {
    const struct {
        const char* event;
        uint32_t seed;
        int32_t openX;  // the cell (x, 0) opened, or -1 for a new game
        int32_t soundOn;
        std::string phases;
        Lines sounds;
        int32_t nextDraw;  // what the generator gives after the steps
    } cases[] = {
        {"a new game: two blinks after five steps, the music on step 9",
         0,
         -1,
         1,
         "000001010000",
         {"9: sound bgm rewind", "9: sound bgm loop"},
         8365},  // 3 pairs of draws, one a redraw
        {"a move: a voice on step 2 (38 is even: \"ya\"), a blink on steps 3 and 4",
         0,
         1,
         1,
         "001000",
         {"2: sound ya once"},
         7719},
        {"a move whose voice draws 41 (odd: \"wao\")",
         1,
         1,
         1,
         "001",
         {"2: sound wao once"},
         18467},
        // Layouts of later games must not depend on the sound option.
        {"with sound off the voice still draws its number", 0, 1, 0, "001", {}, 7719},
        {"a mine: two blinks from step 11, no voice", 0, 0, 1, "000000000010100", {}, 38},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        ResetClock();
        SoundOn = c.soundOn;
        StartFixedGame({"*#*#", "####"});
        SeedRandom(c.seed);
        if (c.openX < 0)
            NewGame();
        else
            OpenAt(c.openX, 0);
        const Timeline timeline = RunSteps(c.phases.size());
        EXPECT_EQ(timeline.phases, c.phases);
        EXPECT_EQ(timeline.sounds, c.sounds);
        EXPECT_EQ(NextRandom(), c.nextDraw);
        EXPECT_EQ(ResultPending, NoResult) << "a loss signal is simply cleared";
    }
}

TEST_F(ClockTest, EachCountdownRunsOnlyInItsOwnStates) {
    for (GameStates state : {Title, Ready, Playing, Lost, Won, NameEntry}) {
        SCOPED_TRACE(testing::Message() << "GameState " << state);
        GameState = state;
        MusicCountdown = VoiceCountdown = WinVoiceCountdown = 1;
        const bool gameCues = state == Ready || state == Playing;
        EXPECT_EQ(RunSteps(2).sounds.size(), gameCues ? 3u : state == Won ? 1u : 0u);
        EXPECT_EQ(MusicCountdown, gameCues ? -1 : 1);
        EXPECT_EQ(VoiceCountdown, gameCues ? -1 : 1);
        EXPECT_EQ(WinVoiceCountdown, state == Won ? -1 : 1);
    }
}

TEST_F(ClockTest, AWinFlagsTheCoveredMinesOnTheNextFrameStepOrNot) {
    StartFixedGame({"*#*", "##*"});
    HeadlessSetTicks(10050);  // the gate stays closed on the frames below
    MarkAt(0, 0);             // a correct flag
    MarkAt(2, 0, 2);          // a question mark on a mine
    const uint32_t markedAt = ChangeTime[CellIndex(2, 0)];
    for (auto [x, y] : {std::pair{1, 0}, {0, 1}, {1, 1}})
        OpenAt(x, y);
    ASSERT_EQ(ResultPending, WinPending);
    HeadlessClearLog();

    ClockStep();
    EXPECT_EQ(GameState, Won);
    EXPECT_EQ(ResultPending, NoResult);
    EXPECT_EQ(CoverArt(), Lines({"FOF", "OOF"}));
    EXPECT_EQ(MinesLeft, 0);
    EXPECT_EQ(ChangeTime[CellIndex(2, 0)], markedAt) << "the win's flags do not animate";
    EXPECT_EQ(HeadlessLog(), Lines({"sound bgm stop"}));
    EXPECT_TRUE(BoardInvariantsHold());

    // Three blinks after four steps, and the win's voice on step 4, never
    // the winning move's own.
    const Timeline timeline = RunSteps(11);
    EXPECT_EQ(timeline.phases, "00001010100");
    EXPECT_EQ(timeline.sounds, Lines({"4: sound this once"}));
}

TEST_F(ClockTest, ElapsedTimeIsWholeSecondsAcrossTheWrap) {
    StartTick = 0xFFFFF000u;
    EndTick = 0x00001000u;  // 8192 ms later
    EXPECT_EQ(ElapsedSeconds(), 8u);
    EndTick = StartTick + 999;
    EXPECT_EQ(ElapsedSeconds(), 0u);
}

}  // namespace
