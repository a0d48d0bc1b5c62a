#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

namespace velmora::testing {

// The seeds of the tests on generated files: fixed, so that every run checks
// the same files, unless VELMORA_FIRST_SEED and VELMORA_SEEDS ask for others
// (scripts/generated-files-long-run.sh).
struct SeedRange {
    std::uint32_t first;
    std::uint32_t count;
};

inline SeedRange GeneratedSeeds(std::uint32_t count)
{
    const auto value = [](const char* name, std::uint32_t otherwise) {
        const char* text = std::getenv(name);
        return text ? static_cast<std::uint32_t>(std::stoul(text)) : otherwise;
    };
    return {value("VELMORA_FIRST_SEED", 1), value("VELMORA_SEEDS", count)};
}

} // namespace velmora::testing
