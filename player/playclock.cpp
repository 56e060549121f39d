#include "player/playclock.h"

PlayClock::PlayClock() : mStart(Clock::now()) {}

void PlayClock::followFrames(const std::int64_t* frames, std::int64_t startSeconds) {
    mFrames = frames;
    mStartSeconds = startSeconds;
}

std::int64_t PlayClock::ms() const {
    if (mFrames)
        return *mFrames * 1000 / 60;
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - mStart).count();
}

std::int64_t PlayClock::wallSeconds() const {
    return mStartSeconds + (mFrames ? *mFrames / 60 : 0);
}
