#include "text/MemoryPrefaulter.h"

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

#include <sys/mman.h>

namespace velmora::text {

namespace {

constexpr std::size_t kPageBytes = 4096;
constexpr std::size_t kMostWaiting = 8;

struct Range {
    std::uintptr_t start;
    std::size_t bytes;
};

class Prefaulter {
public:
    void Add(Range range)
    {
        {
            const std::lock_guard lock(mutex_);
            if (waiting_.size() >= kMostWaiting) return;
            waiting_.push_back(range);
            if (!started_) {
                started_ = true;
                // Detached, never stopped: it only ever waits or populates, and
                // at exit the process ends it wherever it is.
                std::thread(&Prefaulter::Run, this).detach();
            }
        }
        ready_.notify_one();
    }

private:
    void Run()
    {
        std::unique_lock lock(mutex_);
        for (;;) {
            ready_.wait(lock, [this] { return !waiting_.empty(); });
            const Range range = waiting_.front();
            waiting_.pop_front();
            lock.unlock();
            ::madvise(reinterpret_cast<void*>(range.start), range.bytes, MADV_POPULATE_WRITE);
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Range> waiting_;
    bool started_ = false;
};

Prefaulter& ThePrefaulter()
{
    static Prefaulter* const prefaulter = new Prefaulter();  // the thread outlives static destruction
    return *prefaulter;
}

} // namespace

void PrefaultMemory(void* start, std::size_t bytes)
{
    // Whole pages inside the range only: madvise wants an aligned start, and
    // a page shared with other data is better left to fault in.
    const auto first = (reinterpret_cast<std::uintptr_t>(start) + kPageBytes - 1) & ~(kPageBytes - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(start) + bytes) & ~(kPageBytes - 1);
    if (end > first) ThePrefaulter().Add({first, end - first});
}

void PrefaultAhead::Advance(const char* start, std::size_t used, std::size_t capacity)
{
    if (start != start_) {  // a new buffer: what was asked for belongs to the old one
        start_ = start;
        prepared_ = used;
    }
    while (prepared_ < capacity && prepared_ < used + kAhead) {
        const std::size_t bytes = std::min(kStep, capacity - prepared_);
        PrefaultMemory(const_cast<char*>(start) + prepared_, bytes);
        prepared_ += bytes;
    }
}

} // namespace velmora::text
