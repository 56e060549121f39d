#include "player/vblankclock.h"

#include <thread>

VblankClock::VblankClock() : mNext(Clock::now() + kPeriod) {}

void VblankClock::wait() {
    const auto now = Clock::now();
    if (now > mNext + kPeriod) {
        mNext = now + kPeriod;
        return;
    }
    std::this_thread::sleep_until(mNext);
    mNext += kPeriod;
}
