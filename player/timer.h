#pragma once

#include <chrono>
#include <cstdint>

// A millisecond stopwatch that can be stopped, resumed and reset to any value.
class Timer {
public:
    explicit Timer(std::int64_t startMs = 0); // running
    std::int64_t time() const;
    void start();                                // resumes a stopped timer
    std::int64_t stop();                         // freezes; returns the value
    std::int64_t reset(std::int64_t valueMs = 0); // returns the old value; leaves it stopped
    bool running() const { return mRunning; }

private:
    using Clock = std::chrono::steady_clock;
    std::int64_t mBase;       // value when last started or frozen
    Clock::time_point mSince; // when last started
    bool mRunning = true;
};
