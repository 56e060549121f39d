#include "player/timer.h"

Timer::Timer(std::int64_t startMs) : mBase(startMs), mSince(Clock::now()) {}

std::int64_t Timer::time() const {
    if (!mRunning)
        return mBase;
    return mBase
        + std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - mSince).count();
}

void Timer::start() {
    if (mRunning)
        return;
    mSince = Clock::now();
    mRunning = true;
}

std::int64_t Timer::stop() {
    mBase = time();
    mRunning = false;
    return mBase;
}

std::int64_t Timer::reset(std::int64_t valueMs) {
    const std::int64_t old = time();
    mBase = valueMs;
    mRunning = false;
    return old;
}
