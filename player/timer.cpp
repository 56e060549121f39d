#include "player/timer.h"

#include "player/playclock.h"

Timer::Timer(const PlayClock& clock, std::int64_t startMs)
    : mClock(clock), mBase(startMs), mSince(clock.ms()) {}

std::int64_t Timer::time() const {
    if (!mRunning)
        return mBase;
    return mBase + (mClock.ms() - mSince);
}

void Timer::start() {
    if (mRunning)
        return;
    mSince = mClock.ms();
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
