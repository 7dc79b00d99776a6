#pragma once
// Small seeded generator (splitmix64). Written out rather than taken from <random> so a
// seed gives the same engine on every compiler and standard library.

#include <cstdint>

namespace dp::sim {

class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}

    uint64_t next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi).
    double uniform(double lo, double hi) { return lo + (hi - lo) * double(next() >> 11) * 0x1.0p-53; }

private:
    uint64_t state_;
};

}  // namespace dp::sim
