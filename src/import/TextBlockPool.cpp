#include "import/TextBlockPool.h"

#include "import/HugePageMemory.h"

namespace velmora::import {

namespace {

constexpr std::size_t kBlocksPerRegion = hugepages::kHugePageBytes / TextBlockPool::kBlockBytes;

} // namespace

TextBlockPool& TextBlockPool::Instance()
{
    // Never destroyed: lists in static storage may give their blocks back
    // during exit.
    static TextBlockPool* const pool = new TextBlockPool();
    return *pool;
}

char* TextBlockPool::Acquire()
{
    const std::lock_guard lock(mutex_);
    char* block;
    if (!released_.empty()) {
        block = released_.back();
        released_.pop_back();
    } else {
        if (regions_.empty() || carved_ == kBlocksPerRegion) {
            // Room for every block to come back, so that Release never allocates.
            regions_.reserve(regions_.size() + 1);
            released_.reserve((regions_.size() + 1) * kBlocksPerRegion);
            regions_.push_back(static_cast<char*>(hugepages::Map(hugepages::kHugePageBytes)));
            carved_ = 0;
        }
        block = regions_.back() + carved_++ * kBlockBytes;
    }
    ++inUse_;
    return block;
}

void TextBlockPool::Release(char* block) noexcept
{
    const std::lock_guard lock(mutex_);
    --inUse_;
    if (inUse_ > 0) {
        released_.push_back(block);
        return;
    }
    for (std::size_t i = 1; i < regions_.size(); ++i) hugepages::Unmap(regions_[i], hugepages::kHugePageBytes);
    regions_.resize(1);
    released_.clear();
    carved_ = 0;
}

} // namespace velmora::import
