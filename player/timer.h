#pragma once

#include <cstdint>

class PlayClock;

// A millisecond stopwatch that can be stopped, resumed and reset to any value. It reads the
// run's clock, so that on the frame clock it counts frames.
class Timer {
public:
    Timer(const PlayClock& clock, std::int64_t startMs = 0); // running
    std::int64_t time() const;
    void start();                                // resumes a stopped timer
    std::int64_t stop();                         // freezes; returns the value
    std::int64_t reset(std::int64_t valueMs = 0); // returns the old value; leaves it stopped
    bool running() const { return mRunning; }

private:
    const PlayClock& mClock;
    std::int64_t mBase;  // value when last started or frozen
    std::int64_t mSince; // clock reading when last started
    bool mRunning = true;
};
