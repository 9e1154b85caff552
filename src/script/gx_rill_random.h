#pragma once

#include <random>

#include "base/gx_types.h"

// The script's random numbers: one MT19937 generator (default seed 5489) and
// draws that are uniform over any inclusive range, the whole 64-bit one included.
class GxRillRandom {
public:
    void Seed(GxU32 seed) { m_Generator.seed(seed); }
    // A value between low and high, both included, in either order.
    GxS64 Draw(GxS64 low, GxS64 high);

private:
    GxU64 Below(GxU64 count);  // uniform in [0, count); count 0 means 2^64
    std::mt19937 m_Generator;
};

// The engine's one generator.
GxRillRandom& GetRillRandom();
