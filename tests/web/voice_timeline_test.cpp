// SPDX-License-Identifier: MIT
// Where a voice stands on its clip while the browser plays it, and what the
// browser is told at each of the game's requests.
#include <gtest/gtest.h>

#include "platform/web/voice_timeline.h"

namespace {

// A clip of two seconds, recorded at 11025 samples a second.
constexpr double Length = 2.0;
constexpr uint32_t Rate = 11025;

TEST(VoiceTimeline, PlayingOnceGoesOnFromWhereItStoppedAndRewindsAtTheEnd) {
    VoiceTimeline voice(Length, Rate);
    EXPECT_FALSE(voice.IsPlaying(0.0));

    VoiceAction action = voice.Play(Once, 0, 10.0);
    EXPECT_TRUE(action.start);
    EXPECT_DOUBLE_EQ(action.offset, 0.0);
    EXPECT_FALSE(action.loop);
    EXPECT_DOUBLE_EQ(action.speed, 1.0);
    EXPECT_DOUBLE_EQ(voice.Position(10.5), 0.5);

    // Stopping keeps the place; the next play-once starts there.
    action = voice.Play(Stopped, 0, 10.75);
    EXPECT_TRUE(action.stop);
    EXPECT_FALSE(action.start);
    EXPECT_FALSE(voice.IsPlaying(11.0));
    EXPECT_DOUBLE_EQ(voice.Position(20.0), 0.75);
    action = voice.Play(Once, 0, 20.0);
    EXPECT_TRUE(action.start);
    EXPECT_DOUBLE_EQ(action.offset, 0.75);

    // At the end of the clip it has stopped, back at the start.
    EXPECT_TRUE(voice.IsPlaying(21.2));
    EXPECT_FALSE(voice.IsPlaying(21.3));
    EXPECT_DOUBLE_EQ(voice.Position(30.0), 0.0);
    EXPECT_FALSE(voice.Play(Stopped, 0, 30.0).stop);  // nothing left to stop
}

TEST(VoiceTimeline, PlayingOnceAgainRestartsFromTheCurrentPlace) {
    VoiceTimeline voice(Length, Rate);
    voice.Play(Once, 0, 0.0);
    const VoiceAction action = voice.Play(Once, 0, 0.5);
    EXPECT_TRUE(action.stop);  // the running one goes
    EXPECT_TRUE(action.start);
    EXPECT_DOUBLE_EQ(action.offset, 0.5);
}

TEST(VoiceTimeline, LoopingPlaysOnFromWhereItIsAndWrapsRound) {
    VoiceTimeline voice(Length, Rate);
    voice.Play(Once, 0, 0.0);
    // Asked to loop while it sounds: it goes on where it is, now looping.
    VoiceAction action = voice.Play(Looping, 0, 1.5);
    EXPECT_FALSE(action.stop);
    EXPECT_FALSE(action.start);
    EXPECT_TRUE(action.loop);
    EXPECT_TRUE(voice.IsLooping(5.0));
    EXPECT_DOUBLE_EQ(voice.Position(5.0), 1.0);  // 5 seconds played: once round, and one more

    // Stopped looping music keeps its place; looping again starts there.
    voice.Play(Stopped, 0, 5.25);
    action = voice.Play(Looping, 0, 9.0);
    EXPECT_TRUE(action.start);
    EXPECT_TRUE(action.loop);
    EXPECT_DOUBLE_EQ(action.offset, 1.25);

    // Playing once takes it out of its loop: it ends at the clip's end.
    action = voice.Play(Once, 0, 9.25);
    EXPECT_TRUE(action.start);
    EXPECT_FALSE(action.loop);
    EXPECT_DOUBLE_EQ(action.offset, 1.5);
    EXPECT_FALSE(voice.IsPlaying(9.75));
}

TEST(VoiceTimeline, RewindingPutsItAtTheStartPlayingOrNot) {
    VoiceTimeline voice(Length, Rate);
    voice.Play(Looping, 0, 0.0);
    VoiceAction action = voice.Rewind(3.0);
    EXPECT_TRUE(action.start);  // a sounding voice starts again from the top
    EXPECT_TRUE(action.loop);
    EXPECT_DOUBLE_EQ(action.offset, 0.0);
    EXPECT_DOUBLE_EQ(voice.Position(3.5), 0.5);

    voice.Play(Stopped, 0, 3.5);
    action = voice.Rewind(4.0);
    EXPECT_FALSE(action.start);  // a silent one only moves
    EXPECT_FALSE(action.stop);
    EXPECT_DOUBLE_EQ(voice.Position(8.0), 0.0);
}

TEST(VoiceTimeline, AnotherRateChangesTheSpeedAndThePlace) {
    VoiceTimeline voice(Length, Rate);
    VoiceAction action = voice.Play(Once, 22050, 0.0);
    EXPECT_DOUBLE_EQ(action.speed, 2.0);
    EXPECT_DOUBLE_EQ(voice.Position(0.5), 1.0);
    EXPECT_FALSE(voice.IsPlaying(1.0));  // the clip is over in half its length

    action = voice.Play(Looping, 0, 2.0);  // 0: the clip's own rate again
    EXPECT_DOUBLE_EQ(action.speed, 1.0);
    action = voice.Play(Looping, 5512, 2.5);  // changed while it sounds
    EXPECT_FALSE(action.start);
    EXPECT_NEAR(action.speed, 0.5, 1e-4);
    EXPECT_NEAR(voice.Position(3.5), 1.0, 1e-3);
}

TEST(VoiceTimeline, TheClockStandingStillOrGoingBackMovesNothing) {
    // Before the player's first click the browser's audio clock stands still.
    VoiceTimeline voice(Length, Rate);
    voice.Play(Once, 0, 0.0);
    EXPECT_TRUE(voice.IsPlaying(0.0));
    EXPECT_DOUBLE_EQ(voice.Position(0.0), 0.0);
    EXPECT_DOUBLE_EQ(voice.Position(-1.0), 0.0);

    VoiceTimeline empty(0.0, Rate);
    empty.Play(Looping, 0, 0.0);
    EXPECT_DOUBLE_EQ(empty.Position(10.0), 0.0);
}

}  // namespace
