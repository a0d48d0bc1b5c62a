#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "text/TextBlockPool.h"

namespace velmora::text {
namespace {

TEST(TextBlockPool, BlocksAreDistinctWritableAndHandedOutAgainOnceGivenBack)
{
    TextBlockPool& pool = TextBlockPool::Instance();
    std::vector<char*> blocks;
    for (int i = 0; i < 70; ++i) {  // more than two regions' worth
        blocks.push_back(pool.Acquire());
        std::memset(blocks.back(), i, TextBlockPool::kBlockBytes);
    }
    EXPECT_EQ(std::set<char*>(blocks.begin(), blocks.end()).size(), blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i)
        EXPECT_EQ(blocks[i][TextBlockPool::kBlockBytes - 1], static_cast<char>(i)) << i;

    char* const given = blocks[40];
    pool.Release(given);
    EXPECT_EQ(pool.Acquire(), given);
    for (char* block : blocks) pool.Release(block);
    char* const again = pool.Acquire();  // nothing in use: carved anew from the region kept
    std::memset(again, 1, TextBlockPool::kBlockBytes);
    pool.Release(again);
}

} // namespace
} // namespace velmora::text
