#include "player/random.h"

// SplitMix64: one addition and a mix of the state per number, and every seed, 0 included,
// gives a full-period sequence.
double Random::next() {
    mState += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = mState;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) * (1.0 / 9007199254740992.0);
}
