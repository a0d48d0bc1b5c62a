#include "text/TextBlockPool.h"

#include <algorithm>
#include <new>

#include <sys/mman.h>

#include "text/MemoryPrefaulter.h"

namespace velmora::text {

namespace {

constexpr std::size_t kRegionBytes = std::size_t(1) << 20;
constexpr std::size_t kBlocksPerRegion = kRegionBytes / TextBlockPool::kBlockBytes;

char* MapRegion()
{
    void* const region = ::mmap(nullptr, kRegionBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (region == MAP_FAILED) throw std::bad_alloc();
    return static_cast<char*>(region);
}

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
            regions_.push_back(MapRegion());
            carved_ = 0;
        }
        block = regions_.back() + carved_++ * kBlockBytes;
        // The next blocks fault in on another core meanwhile; no more than
        // two, so that a region's unused rest costs no memory.
        const std::size_t ahead = std::min<std::size_t>(2, kBlocksPerRegion - carved_);
        if (ahead > 0) PrefaultMemory(block + kBlockBytes, ahead * kBlockBytes);
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
    for (std::size_t i = 1; i < regions_.size(); ++i) ::munmap(regions_[i], kRegionBytes);
    regions_.resize(1);
    released_.clear();
    carved_ = 0;
}

} // namespace velmora::text
