#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace velmora::text {

// The 64 KiB blocks that text lists fill, carved from 1 MiB regions whose
// pages are prepared on another core (MemoryPrefaulter.h): a big import fills
// thousands of them, and a block given back is handed out again before new
// memory is touched. Once no block is in
// use the regions go back to the system, all but the first: a small list made
// and dropped over and over must not map and clear a region each time.
// Shared by every thread.
class TextBlockPool {
public:
    static constexpr std::size_t kBlockBytes = std::size_t(64) << 10;

    static TextBlockPool& Instance();

    char* Acquire();
    void Release(char* block) noexcept;

private:
    TextBlockPool() = default;

    std::mutex mutex_;
    std::vector<char*> regions_;
    std::vector<char*> released_;
    std::size_t carved_ = 0;  // blocks handed out of the last region so far
    std::size_t inUse_ = 0;
};

} // namespace velmora::text
