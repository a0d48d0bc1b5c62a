#include "import/HugePageMemory.h"

#include <cstdint>

#include <sys/mman.h>

namespace velmora::import::hugepages {

namespace {

constexpr std::size_t kPageBytes = 4096;

std::size_t RoundUp(std::size_t n, std::size_t to)
{
    return (n + to - 1) / to * to;
}

} // namespace

void* Map(std::size_t bytes)
{
    const std::size_t size = RoundUp(bytes == 0 ? 1 : bytes, kPageBytes);
    if (size > std::size_t(-1) - kHugePageBytes) throw std::bad_alloc();
    // One huge page more than asked for, so that a boundary falls inside;
    // the parts before it and after the block go straight back.
    const std::size_t mapped = size + kHugePageBytes;
    void* const raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) throw std::bad_alloc();
    const auto rawStart = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = RoundUp(rawStart, kHugePageBytes);
    if (start > rawStart) ::munmap(raw, start - rawStart);
    const std::size_t tail = rawStart + mapped - (start + size);
    if (tail > 0) ::munmap(reinterpret_cast<void*>(start + size), tail);
    ::madvise(reinterpret_cast<void*>(start), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(start);
}

void Unmap(void* block, std::size_t bytes) noexcept
{
    ::munmap(block, RoundUp(bytes == 0 ? 1 : bytes, kPageBytes));
}

} // namespace velmora::import::hugepages
