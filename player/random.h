#pragma once

#include <cstdint>

// The generator behind math.random. It keeps its own state, so that nothing else in the
// program (the sound's thread, a library calling rand()) moves it: a run that starts from
// the same seed and asks the same questions gets the same numbers, which recorded plays need.
class Random {
public:
    explicit Random(std::uint64_t seed = 1) { reseed(seed); }
    void reseed(std::uint64_t seed) { mState = seed; }
    // A number in [0, 1), 53 random bits.
    double next();

private:
    std::uint64_t mState;
};
