#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "text/ChunkedVector.h"
#include "text/TextBlockPool.h"

namespace velmora::text {

// A list of texts kept in a few large blocks of characters. A large import
// holds about a million short entries, where a std::string each would cost its
// 32 bytes plus a heap block of its own. Blocks are filled and never moved, so
// a growing list never copies what it holds (no transient doubling either).
// Entries are only appended, never changed. Views into the list are valid
// until it next changes.
class TextList {
public:
    class const_iterator {
    public:
        const_iterator(const TextList& list, std::size_t i) : list_(&list), i_(i) {}
        std::string_view operator*() const { return list_->At(i_); }
        const_iterator& operator++()
        {
            ++i_;
            return *this;
        }
        bool operator==(const const_iterator& other) const = default;

    private:
        const TextList* list_;
        std::size_t i_;
    };

    TextList() = default;
    TextList(TextList&& other) noexcept;
    TextList& operator=(TextList&& other) noexcept;
    TextList(const TextList& other) { Append(other); }
    TextList& operator=(const TextList& other);

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    void push_back(std::string_view text);
    // The same, sharing the last entry's copy when that holds the same text.
    void PushBackShared(std::string_view text);
    // One more entry sharing the last entry's text, without a copy of it: a
    // description that serves many names is kept once.
    void RepeatLast() { spans_.push_back(spans_.back()); }
    // Appends every entry of other; entries that share their text there share
    // it here too.
    void Append(const TextList& other);
    // The same, leaving other empty: blocks it has filled are taken over
    // rather than copied, so a big list changes hands without a second copy.
    // A small list keeps the room of its entry array, to be filled again.
    void Append(TextList&& other);
    void clear();
    // Counts the times the list lost entries (emptied, replaced or moved
    // from): an index over it is out of date when this changed, even if the
    // list has since grown back to the size it had.
    std::uint64_t Generation() const { return generation_; }

    // Entry i; i must be below size().
    std::string_view At(std::size_t i) const
    {
        const std::uint64_t span = spans_[i].Bits();
        const std::size_t size = span & kSizeMask;
        if (size == 0) return {};
        const Block& block = blocks_[span >> kBlockShift];
        if (size == kSizeMask) return block.Text();  // a long entry: its block holds just it
        return std::string_view(block.Data() + ((span >> kSizeBits) & kOffsetMask), size);
    }
    std::string_view operator[](std::size_t i) const { return At(i); }

    const_iterator begin() const { return const_iterator(*this, 0); }
    const_iterator end() const { return const_iterator(*this, size()); }

private:
    // An entry in 6 bytes: its block (the top 22 bits), its offset in the
    // block (16 bits) and its size (10 bits). An entry of kSizeMask bytes or
    // more gets a block of its own, which the size's all ones stand for: a
    // list of a million names costs 6 bytes a name beside the text.
    struct Span {
        std::uint16_t parts[3];
        std::uint64_t Bits() const
        {
            return std::uint64_t(parts[0]) | std::uint64_t(parts[1]) << 16 | std::uint64_t(parts[2]) << 32;
        }
        static Span FromBits(std::uint64_t bits)
        {
            return Span{{static_cast<std::uint16_t>(bits), static_cast<std::uint16_t>(bits >> 16),
                         static_cast<std::uint16_t>(bits >> 32)}};
        }
    };
    static constexpr std::size_t kBlockBytes = TextBlockPool::kBlockBytes;
    static constexpr unsigned kSizeBits = 10;
    static constexpr unsigned kBlockShift = kSizeBits + 16;
    static constexpr std::uint64_t kSizeMask = (std::uint64_t(1) << kSizeBits) - 1;
    static constexpr std::uint64_t kOffsetMask = kBlockBytes - 1;
    static constexpr std::size_t kMaxBlocks = std::size_t(1) << (48 - kBlockShift);
    // The characters of some entries: a pooled block (TextBlockPool) that
    // short entries fill one after another, or a block sized for one long entry.
    class Block {
    public:
        static Block Pooled();
        static Block ForLongEntry(std::string_view text);
        Block(Block&& other) noexcept;
        Block& operator=(Block&& other) noexcept;
        ~Block();

        const char* Data() const { return data_; }
        std::string_view Text() const { return std::string_view(data_, size_); }
        bool IsPooled() const { return pooled_; }
        std::size_t Room() const { return capacity_ - size_; }
        // Appends text, which must fit in Room(), and returns where it starts.
        std::size_t Append(std::string_view text);

    private:
        Block(char* data, std::size_t capacity, bool pooled) : data_(data), capacity_(capacity), pooled_(pooled) {}
        void Free() noexcept;

        char* data_ = nullptr;
        std::size_t size_ = 0;
        std::size_t capacity_ = 0;
        bool pooled_ = false;
    };

    static Span MakeSpan(std::size_t block, std::size_t offset, std::size_t size);
    Span AppendText(std::string_view text);
    bool LastBlockTakes(std::size_t bytes) const
    {
        return !blocks_.empty() && blocks_.back().IsPooled() && blocks_.back().Room() >= bytes;
    }
    // other's entries in one copy, when they are short and all fit in the
    // last block: a structure's few members join the import-wide lists so.
    bool AppendWithinLastBlock(const TextList& other);

    std::vector<Block> blocks_;
    ChunkedVector<Span> spans_;
    std::uint64_t generation_ = 0;
};

} // namespace velmora::text
