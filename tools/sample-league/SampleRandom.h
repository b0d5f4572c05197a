// The generator's own pseudo-random numbers (SplitMix64): the same seed gives
// the same league on every platform and standard library.
#pragma once

#include <cstdint>

namespace tenvoll::sample {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    // An independent stream for one purpose (a player, a team, a term).
    Random fork(std::uint64_t a, std::uint64_t b = 0) const {
        Random r(state_ ^ (a * 0x9E3779B97F4A7C15ull) ^ (b * 0xC2B2AE3D27D4EB4Full));
        r.next();
        return r;
    }

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A whole number from lo to hi inclusive.
    int range(int lo, int hi) {
        if (hi <= lo)
            return lo;
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool percent(int p) { return range(0, 99) < p; }

private:
    std::uint64_t state_;
};

} // namespace tenvoll::sample
