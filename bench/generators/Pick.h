#pragma once

#include <random>

namespace velmora::bench {

// A number from low to high, both included: the one way the generators draw.
inline int Pick(std::mt19937& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

// True about once in `in` draws.
inline bool OneIn(std::mt19937& random, int in)
{
    return Pick(random, 1, in) == 1;
}

} // namespace velmora::bench
