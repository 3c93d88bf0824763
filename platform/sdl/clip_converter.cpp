// SPDX-License-Identifier: MIT
#include "platform/sdl/clip_converter.h"

#include <utility>

#include "platform/common/mixer.h"

ClipConverter::ClipConverter(uint32_t outputRate) : outputRate_(outputRate) {}

ClipConverter::~ClipConverter() {
    {
        std::lock_guard<std::mutex> guard(lock_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    if (worker_.joinable())
        worker_.join();
}

std::future<std::vector<float>> ClipConverter::Convert(const uint8_t* samples, size_t count,
                                                       uint32_t rate) {
    Job job;
    job.samples.assign(samples, samples + count);
    job.rate = rate;
    std::future<std::vector<float>> result = job.result.get_future();
    {
        std::lock_guard<std::mutex> guard(lock_);
        jobs_.push_back(std::move(job));
        // The thread starts with the first clip: a game without sound never
        // has one.
        if (!worker_.joinable())
            worker_ = std::thread(&ClipConverter::Work, this);
    }
    wake_.notify_one();
    return result;
}

void ClipConverter::Work() {
    std::unique_lock<std::mutex> guard(lock_);
    for (;;) {
        // Asleep until there is work: no wake-ups while the game plays.
        wake_.wait(guard, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        guard.unlock();
        job.result.set_value(
            ConvertClip(job.samples.data(), job.samples.size(), job.rate, outputRate_));
        guard.lock();
    }
}
