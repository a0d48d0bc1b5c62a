#pragma once

#include <cstddef>
#include <memory>
#include <new>

namespace velmora::import {

// Big blocks of memory mapped on a 2 MiB boundary and advised for transparent
// huge pages. An import of a million rows touches some hundred MB of fresh
// memory; taken 4 KiB page by page, the faults alone cost a fifth of its time.
// The advice is only advice: where the kernel has no huge page to give, the
// memory is ordinary pages and nothing else changes.
namespace hugepages {

inline constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

// At least bytes of zeroed memory starting on a huge-page boundary; throws
// std::bad_alloc. Only the whole huge pages inside it can be huge, so a block
// costs no more resident memory than its pages in use.
void* Map(std::size_t bytes);
// Gives back what Map(bytes) returned.
void Unmap(void* block, std::size_t bytes) noexcept;

} // namespace hugepages

// An allocator for containers that grow big: a request of a huge page or more
// is mapped by hugepages::Map, anything smaller comes from the ordinary heap.
template <typename T>
struct HugePageAllocator {
    using value_type = T;

    HugePageAllocator() = default;
    template <typename U>
    HugePageAllocator(const HugePageAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_array_new_length();
        return IsMapped(n) ? static_cast<T*>(hugepages::Map(n * sizeof(T))) : std::allocator<T>().allocate(n);
    }
    void deallocate(T* p, std::size_t n) noexcept
    {
        if (IsMapped(n)) hugepages::Unmap(p, n * sizeof(T));
        else std::allocator<T>().deallocate(p, n);
    }

    template <typename U>
    bool operator==(const HugePageAllocator<U>&) const noexcept
    {
        return true;
    }

private:
    static bool IsMapped(std::size_t n) { return n >= hugepages::kHugePageBytes / sizeof(T); }
};

} // namespace velmora::import
