#pragma once

#include <chrono>
#include <cstdint>

// The time a game sees. Normally real time; in a recorded or replayed run, the frame count at
// 60 frames a second, so that a replay reads the same times as the play it replays however
// fast it runs. The wall clock (os.time) then starts at a second given by the recording.
class PlayClock {
public:
    PlayClock();

    // From now on, time follows *frames, and the wall clock starts at startSeconds (seconds
    // since 1970). The counter must outlive the clock.
    void followFrames(const std::int64_t* frames, std::int64_t startSeconds);
    bool followsFrames() const { return mFrames != nullptr; }

    // Milliseconds since the run started.
    std::int64_t ms() const;
    // Seconds since 1970 on the frame clock.
    std::int64_t wallSeconds() const;
    std::int64_t startSeconds() const { return mStartSeconds; }

private:
    using Clock = std::chrono::steady_clock;
    Clock::time_point mStart;
    const std::int64_t* mFrames = nullptr;
    std::int64_t mStartSeconds = 0;
};
