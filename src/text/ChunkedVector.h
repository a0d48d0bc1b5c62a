#pragma once

#include <bit>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "text/MemoryPrefaulter.h"

namespace velmora::text {

// A growing array of trivially copyable values that never moves them: it
// grows by chunks, each as big as all before it together (from 16 values up
// to kMostPerChunk), rather than by copying everything into a bigger block.
// A million entries of a text list are then written once, where a
// std::vector's growth copies them to fresh memory time after time. The
// pages of a big chunk are prepared on another core (MemoryPrefaulter.h).
template <typename T>
class ChunkedVector {
public:
    ChunkedVector() = default;
    ChunkedVector(ChunkedVector&& other) noexcept
        : chunks_(std::move(other.chunks_)),
          size_(std::exchange(other.size_, 0)),
          capacity_(std::exchange(other.capacity_, 0))
    {
    }
    ChunkedVector& operator=(ChunkedVector&& other) noexcept
    {
        chunks_ = std::move(other.chunks_);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        return *this;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

    T& operator[](std::size_t i) { return At(i); }
    const T& operator[](std::size_t i) const { return At(i); }
    T& back() { return At(size_ - 1); }
    const T& back() const { return (*this)[size_ - 1]; }

    void push_back(T value)
    {
        if (size_ == capacity_) Grow();
        At(size_) = value;
        ++size_;
    }
    void clear()
    {
        chunks_.clear();
        size_ = capacity_ = 0;
    }
    // No values, the chunks kept for the next ones: for an array filled and
    // emptied over and over.
    void Rewind() { size_ = 0; }

private:
    static constexpr std::size_t kFirstChunk = 16;
    static constexpr std::size_t kDoublings = 10;  // chunks that double: then every chunk holds kMostPerChunk
    static constexpr std::size_t kMostPerChunk = kFirstChunk << kDoublings;
    static constexpr std::size_t kPreparedChunkBytes = std::size_t(64) << 10;

    // Value i: chunk k < kDoublings starts at kFirstChunk * (2^k - 1); past
    // those, chunks of kMostPerChunk follow one another.
    T& At(std::size_t i) const
    {
        constexpr std::size_t kDoubled = kFirstChunk * ((std::size_t(1) << kDoublings) - 1);
        if (i >= kDoubled) {
            const std::size_t j = i - kDoubled;
            return chunks_[kDoublings + j / kMostPerChunk][j % kMostPerChunk];
        }
        const std::size_t k = std::bit_width(i / kFirstChunk + 1) - 1;
        return chunks_[k][i - kFirstChunk * ((std::size_t(1) << k) - 1)];
    }
    void Grow()
    {
        const std::size_t k = chunks_.size();
        const std::size_t n = k < kDoublings ? kFirstChunk << k : kMostPerChunk;
        chunks_.push_back(std::make_unique_for_overwrite<T[]>(n));
        if (n * sizeof(T) >= kPreparedChunkBytes) PrefaultMemory(chunks_.back().get(), n * sizeof(T));
        capacity_ += n;
    }

    std::vector<std::unique_ptr<T[]>> chunks_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace velmora::text
