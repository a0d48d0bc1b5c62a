#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace velmora::bench {

// How often a varied generator wrote each row kind or place, by name ("pair
// last, later structure"): a test requires every name it knows to have been
// written at least once.
using ShapeCounts = std::map<std::string, std::uint64_t, std::less<>>;

inline void Count(ShapeCounts& counts, std::string_view shape)
{
    const auto found = counts.find(shape);
    if (found == counts.end())
        counts.emplace(shape, 1);
    else
        ++found->second;
}

inline void Merge(ShapeCounts& into, const ShapeCounts& counts)
{
    for (const auto& [shape, n] : counts)
        into[shape] += n;
}

} // namespace velmora::bench
