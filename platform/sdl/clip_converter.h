// SPDX-License-Identifier: MIT
// Converting the game's sound clips away from the game's own thread.
//
// The game makes all its voices at start-up, one after another, just before
// its first frame; converting the two tunes to the device's rate takes most
// of a second on a slow machine, and no sound plays before the player's
// first key anyway. So a sound backend hands each clip to this converter,
// which works through them in the order given on a thread of its own, and
// takes a clip's result only when that voice is first played: the first
// picture comes without waiting for the music. The results are exactly
// ConvertClip's.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <future>
#include <mutex>
#include <thread>
#include <vector>

class ClipConverter {
  public:
    explicit ClipConverter(uint32_t outputRate);
    // Waits for the clip being converted, if any; clips not yet begun are
    // dropped (their results are never ready).
    ~ClipConverter();
    ClipConverter(const ClipConverter&) = delete;
    ClipConverter& operator=(const ClipConverter&) = delete;

    // Queues `count` unsigned 8-bit samples at `rate` (copied: the caller's
    // buffer may go at once) for conversion to the output rate.
    std::future<std::vector<float>> Convert(const uint8_t* samples, size_t count, uint32_t rate);

  private:
    struct Job {
        std::vector<uint8_t> samples;
        uint32_t rate = 0;
        std::promise<std::vector<float>> result;
    };

    void Work();

    const uint32_t outputRate_;
    std::mutex lock_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread worker_;
};
