// SPDX-License-Identifier: MIT
// Where a voice stands on its clip, for a sound device that plays whole
// clips by itself.
//
// In the browser each sound plays as a buffer the audio system runs on its
// own, from an offset, once or looping, at a speed. The game's voices are
// little tapes with rules of their own (see platform/platform.h): stopping
// keeps the place, playing once goes on from there and rewinds at the end,
// looping plays on from the place. This keeps that place from the audio
// clock, and says what the audio system must do at each request. Plain code,
// tested without a browser.
#pragma once

#include "platform/platform.h"

// What the audio system does for one request. With `start`, the running
// buffer (if any) is stopped and a new one started at `offset` seconds into
// the clip; otherwise, with `stop`, the running one is stopped; otherwise it
// runs on, with `loop` and `speed` applied to it.
struct VoiceAction {
    bool stop = false;
    bool start = false;
    double offset = 0.0;  // seconds of the clip
    bool loop = false;
    double speed = 1.0;  // 1 is the clip's own rate
};

class VoiceTimeline {
  public:
    // A clip `duration` seconds long, recorded at `clipRate` samples a second.
    VoiceTimeline(double duration, uint32_t clipRate);

    // The game's request at audio time `now` (seconds): `frequency` 0 plays
    // at the clip's own rate, any other value at that rate.
    VoiceAction Play(PlayMode mode, uint32_t frequency, double now);
    VoiceAction Rewind(double now);

    bool IsPlaying(double now);
    bool IsLooping(double now);
    // Seconds into the clip.
    double Position(double now);

  private:
    // A play that ran to the clip's end has stopped, back at the start.
    void Settle(double now);
    double PlacePlayed(double now) const;
    VoiceAction StartHere(double now);

    double duration_;
    uint32_t clipRate_;
    bool playing_ = false;
    bool looping_ = false;
    double speed_ = 1.0;
    double offset_ = 0.0;  // the place when `since` was taken
    double since_ = 0.0;   // audio time of the last start or change
};
