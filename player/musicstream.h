#pragma once

#include <cstdint>

// Music that renders itself: stereo 16-bit samples at the mixer's rate.
class MusicStream {
public:
    virtual ~MusicStream() = default;
    // Fills `frames` stereo frames; false once the music has ended (the rest is silence).
    virtual bool render(std::int16_t* out, int frames) = 0;
};
