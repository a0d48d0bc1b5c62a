#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include <sys/mman.h>

#include "text/MemoryPrefaulter.h"

namespace velmora::text {
namespace {

TEST(MemoryPrefaulter, PreparedMemoryKeepsWhatItHoldsAndMayGoAwayMeanwhile)
{
    constexpr std::size_t kBytes = std::size_t(8) << 20;
    void* const mapped = ::mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    auto* const bytes = static_cast<std::uint8_t*>(mapped);
    for (std::size_t i = 0; i < kBytes / 2; i += 4096) bytes[i + 7] = static_cast<std::uint8_t>(i >> 12);
    // Unaligned ends, a second half that is unmapped before it may be reached.
    PrefaultMemory(bytes + 100, kBytes - 200);
    ::munmap(bytes + kBytes / 2, kBytes / 2);
    PrefaultAhead ahead;
    for (std::size_t used = 0; used <= kBytes / 2; used += 64 << 10) ahead.Advance(reinterpret_cast<char*>(bytes), used, kBytes / 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    for (std::size_t i = 0; i < kBytes / 2; i += 4096) {
        ASSERT_EQ(bytes[i + 7], static_cast<std::uint8_t>(i >> 12)) << i;
        ASSERT_EQ(bytes[i + 8], 0u) << i;
    }
    ::munmap(bytes, kBytes / 2);
}

} // namespace
} // namespace velmora::text
