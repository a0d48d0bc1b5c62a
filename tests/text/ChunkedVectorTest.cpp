#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "text/ChunkedVector.h"

namespace velmora::text {
namespace {

TEST(ChunkedVector, EveryValueStaysWhereItWasPutAcrossChunksOfEverySize)
{
    // Past the doubling chunks into several full-size ones.
    constexpr std::uint32_t kCount = 300000;
    ChunkedVector<std::uint32_t> values;
    const std::uint32_t* first = nullptr;
    for (std::uint32_t i = 0; i < kCount; ++i) {
        values.push_back(i * 7u);
        if (i == 0) first = &values[0];
    }
    ASSERT_EQ(values.size(), kCount);
    EXPECT_EQ(&values[0], first);  // never moved
    for (std::uint32_t i = 0; i < kCount; ++i) ASSERT_EQ(values[i], i * 7u) << i;
    EXPECT_EQ(values.back(), (kCount - 1) * 7u);

    ChunkedVector<std::uint32_t> taken = std::move(values);
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(taken[kCount / 2], kCount / 2 * 7u);
    taken.clear();
    taken.push_back(1);
    EXPECT_EQ(taken.size(), 1u);
    EXPECT_EQ(taken[0], 1u);
}

} // namespace
} // namespace velmora::text
