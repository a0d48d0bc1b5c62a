#pragma once

#include <cstddef>

namespace velmora::text {

// Faults memory in before it is used, on a thread of its own: a big import
// writes some hundred MB of fresh memory, and taking the kernel's page faults
// for it in the importing thread cost a fifth of the import's time. The
// kernel clears the pages on another core (MADV_POPULATE_WRITE) while this
// one works. Only a hint: contents never change, a range unmapped meanwhile
// is passed over, and where the kernel cannot populate (before Linux 5.14)
// the pages fault in on first use as before. Requests beyond a few are
// dropped rather than queued: the page is then faulted in where it is used.
void PrefaultMemory(void* start, std::size_t bytes);

// Hands out memory of a growing buffer ahead of its use: call Advance with the
// buffer's start, how much of it is used and how much it can hold; the next
// few MB past the used part are prepared.
class PrefaultAhead {
public:
    void Advance(const char* start, std::size_t used, std::size_t capacity);

private:
    static constexpr std::size_t kStep = std::size_t(1) << 20;
    static constexpr std::size_t kAhead = 2 * kStep;

    const char* start_ = nullptr;
    std::size_t prepared_ = 0;  // bytes from start_ asked for so far
};

} // namespace velmora::text
