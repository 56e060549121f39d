#pragma once

#include <chrono>

// A steady 60 Hz tick. wait() sleeps until the next tick; a caller that fell more than one
// frame behind starts a new rhythm instead of rushing through the missed ticks.
class VblankClock {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration kPeriod =
        std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(1'000'000'000 / 60));

    VblankClock();
    void wait();
    // When the next wait() returns.
    Clock::time_point next() const { return mNext; }

private:
    Clock::time_point mNext;
};
