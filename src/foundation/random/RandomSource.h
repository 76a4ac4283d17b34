#pragma once

#include <cstdint>
#include <limits>
#include <random>

// A uniform random source shared by the process. Production seeds it from the
// system; tests call seed() with a fixed value so that "pick any matching day"
// choices become repeatable.
class RandomSource {
public:
    static RandomSource& shared();

    void seed(std::uint64_t value);

    // A whole number in [0, upperBound); 0 when upperBound is 0.
    std::uint32_t uniform(std::uint32_t upperBound);

private:
    RandomSource();

    std::mt19937_64 m_engine;
};
