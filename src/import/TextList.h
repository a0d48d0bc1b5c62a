#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::import {

// A list of texts kept in a few large blocks of characters. A large import
// holds about a million short entries, where a std::string each would cost its
// 32 bytes plus a heap block of its own. Blocks are filled and never moved, so
// a growing list never copies what it holds (no transient doubling either).
// Replacing an entry appends the new text: the old bytes stay unused until the
// list is cleared. Views into the list are valid until it next changes.
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

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    void push_back(std::string_view text);
    // One more entry sharing the last entry's text, without a copy of it: a
    // description that serves many names is kept once.
    void RepeatLast() { spans_.push_back(spans_.back()); }
    // Appends every entry of other; entries that share their text there share
    // it here too.
    void Append(const TextList& other);
    // The same, leaving other empty: blocks it has filled are taken over
    // rather than copied, so a big list changes hands without a second copy.
    void Append(TextList&& other);
    void clear();
    void reserve(std::size_t entries) { spans_.reserve(entries); }
    void Replace(std::size_t i, std::string_view text);

    // Entry i; i must be below size().
    std::string_view At(std::size_t i) const
    {
        const Span& span = spans_[i];
        return std::string_view(blocks_[span.block]).substr(span.offset, span.size);
    }
    std::string_view operator[](std::size_t i) const { return At(i); }

    const_iterator begin() const { return const_iterator(*this, 0); }
    const_iterator end() const { return const_iterator(*this, size()); }


private:
    // 32-bit fields keep an entry at 12 bytes; an entry of 4 GiB or more is
    // refused rather than wrapped.
    struct Span {
        std::uint32_t block;
        std::uint32_t offset;
        std::uint32_t size;
        bool operator==(const Span&) const = default;
    };
    static constexpr std::size_t kBlockBytes = 64 * 1024;
    Span AppendText(std::string_view text);

    std::vector<std::string> blocks_;  // each filled only up to its capacity
    std::vector<Span> spans_;
};

} // namespace velmora::import
