// SPDX-License-Identifier: MIT
#include "platform/web/voice_timeline.h"

#include <cmath>

VoiceTimeline::VoiceTimeline(double duration, uint32_t clipRate)
    : duration_(duration > 0.0 ? duration : 0.0), clipRate_(clipRate) {}

double VoiceTimeline::PlacePlayed(double now) const {
    const double passed = now > since_ ? now - since_ : 0.0;
    return offset_ + passed * speed_;
}

void VoiceTimeline::Settle(double now) {
    if (!playing_)
        return;
    const double place = PlacePlayed(now);
    if (looping_) {
        offset_ = duration_ > 0.0 ? std::fmod(place, duration_) : 0.0;
        since_ = now;
    } else if (place >= duration_) {
        playing_ = false;
        offset_ = 0.0;
    } else {
        offset_ = place;
        since_ = now;
    }
}

VoiceAction VoiceTimeline::StartHere(double now) {
    since_ = now;
    playing_ = true;
    VoiceAction action;
    action.stop = true;
    action.start = true;
    action.offset = offset_;
    action.loop = looping_;
    action.speed = speed_;
    return action;
}

VoiceAction VoiceTimeline::Play(PlayMode mode, uint32_t frequency, double now) {
    Settle(now);
    speed_ = frequency == 0 || clipRate_ == 0 ? 1.0 : static_cast<double>(frequency) / clipRate_;
    VoiceAction action;
    switch (mode) {
        case Stopped:
            action.stop = playing_;
            playing_ = false;
            return action;
        case Once:
            // Stopped first, then played from where it stands.
            looping_ = false;
            return StartHere(now);
        case Looping:
            looping_ = true;
            if (!playing_)
                return StartHere(now);
            // Already sounding: it goes on from where it is, now looping.
            action.loop = true;
            action.speed = speed_;
            return action;
    }
    return action;
}

VoiceAction VoiceTimeline::Rewind(double now) {
    Settle(now);
    offset_ = 0.0;
    if (!playing_)
        return VoiceAction();
    return StartHere(now);
}

bool VoiceTimeline::IsPlaying(double now) {
    Settle(now);
    return playing_;
}

bool VoiceTimeline::IsLooping(double now) {
    Settle(now);
    return playing_ && looping_;
}

double VoiceTimeline::Position(double now) {
    Settle(now);
    return offset_;
}
