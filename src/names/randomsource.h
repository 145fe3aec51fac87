#pragma once

// The process's pseudo-random generator and the time-of-day clock that seeds
// it. Values are 24 random bits scaled by 2^-24, so every value is a float
// in [0, 1) by construction: the largest is the largest float below 1, and
// 1.0 itself cannot come out (unlike generate_canonical<float>, which may).

#include <cstdint>
#include <random>

namespace hearthvale {

class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // Seeded from the float's bits, so every fraction of a second counts.
    void seed(float value);
    // Virtual so that a test can hand the window a source of its own.
    virtual float next();

    // The one generator of the running program; its state lasts for the process.
    static RandomSource &process();

private:
    std::mt19937 m_engine;
};

// Local time of day in seconds since midnight, fraction included.
float timeOfDaySeconds();

} // namespace hearthvale
