#include "text/TextList.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace velmora::text {

TextList::Block TextList::Block::Pooled()
{
    return Block(TextBlockPool::Instance().Acquire(), kBlockBytes, true);
}

TextList::Block TextList::Block::ForLongEntry(std::string_view text)
{
    Block block(new char[text.size()], text.size(), false);
    block.Append(text);
    return block;
}

TextList::Block::Block(Block&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)),
      pooled_(other.pooled_)
{
}

TextList::Block& TextList::Block::operator=(Block&& other) noexcept
{
    if (this != &other) {
        Free();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        pooled_ = other.pooled_;
    }
    return *this;
}

TextList::Block::~Block()
{
    Free();
}

void TextList::Block::Free() noexcept
{
    if (!data_) return;
    if (pooled_) TextBlockPool::Instance().Release(data_);
    else delete[] data_;
    data_ = nullptr;
}

std::size_t TextList::Block::Append(std::string_view text)
{
    const std::size_t at = size_;
    std::memcpy(data_ + at, text.data(), text.size());
    size_ += text.size();
    return at;
}

TextList::TextList(TextList&& other) noexcept
    : blocks_(std::move(other.blocks_)), spans_(std::move(other.spans_))
{
    other.clear();
}

TextList& TextList::operator=(TextList&& other) noexcept
{
    if (this != &other) {
        blocks_ = std::move(other.blocks_);
        spans_ = std::move(other.spans_);
        ++generation_;
        other.clear();
    }
    return *this;
}

TextList& TextList::operator=(const TextList& other)
{
    if (this != &other) {
        clear();
        Append(other);
    }
    return *this;
}

TextList::Span TextList::MakeSpan(std::size_t block, std::size_t offset, std::size_t size)
{
    if (block >= kMaxBlocks) throw std::length_error("TextList: too many blocks of text");
    return Span::FromBits(std::uint64_t(block) << kBlockShift | std::uint64_t(offset) << kSizeBits |
                          std::min<std::uint64_t>(size, kSizeMask));
}

TextList::Span TextList::AppendText(std::string_view text)
{
    if (text.empty()) return MakeSpan(0, 0, 0);  // nothing to keep
    if (text.size() >= kSizeMask) {
        // text may view this list: it is copied before blocks_ changes.
        Block block = Block::ForLongEntry(text);
        blocks_.push_back(std::move(block));
        return MakeSpan(blocks_.size() - 1, 0, text.size());
    }
    if (!LastBlockTakes(text.size())) {
        Block block = Block::Pooled();
        block.Append(text);
        blocks_.push_back(std::move(block));
        return MakeSpan(blocks_.size() - 1, 0, text.size());
    }
    const std::size_t offset = blocks_.back().Append(text);  // within its room: the block does not move
    return MakeSpan(blocks_.size() - 1, offset, text.size());
}

void TextList::push_back(std::string_view text)
{
    spans_.push_back(AppendText(text));
}

void TextList::PushBackShared(std::string_view text)
{
    if (!empty() && At(size() - 1) == text) RepeatLast();
    else push_back(text);
}

bool TextList::AppendWithinLastBlock(const TextList& other)
{
    if (other.blocks_.size() != 1 || !other.blocks_[0].IsPooled()) return false;
    const std::string_view text = other.blocks_[0].Text();
    if (this == &other || !LastBlockTakes(text.size())) return false;
    const std::size_t block = blocks_.size() - 1;
    const std::uint64_t shift = std::uint64_t(block) << kBlockShift | std::uint64_t(blocks_.back().Append(text)) << kSizeBits;
    for (std::size_t i = 0; i < other.spans_.size(); ++i) {
        // other's entries all lie in its block 0: they move to this block, past what it held.
        const Span span = other.spans_[i];
        const std::uint64_t bits = span.Bits();
        spans_.push_back((bits & kSizeMask) == 0 ? span : Span::FromBits(bits + shift));
    }
    return true;
}

void TextList::Append(const TextList& other)
{
    if (AppendWithinLastBlock(other)) return;
    for (std::size_t i = 0; i < other.size(); ++i) {
        const bool shared = i > 0 && other.spans_[i].Bits() == other.spans_[i - 1].Bits();
        if (shared) RepeatLast();
        else push_back(other.At(i));
    }
}

void TextList::Append(TextList&& other)
{
    if (empty()) {
        // Taken over whole: no second copy of the entries either.
        blocks_ = std::move(other.blocks_);
        spans_ = std::move(other.spans_);
        other.clear();
        return;
    }
    std::size_t text = 0;
    for (const Block& block : other.blocks_) text += block.Text().size();
    if (text < kBlockBytes) {
        // A few entries: copied, so that small lists leave no half-empty blocks behind.
        Append(other);
    } else {
        const std::size_t base = blocks_.size();
        if (base + other.blocks_.size() > kMaxBlocks) throw std::length_error("TextList: too many blocks of text");
        for (Block& block : other.blocks_) blocks_.push_back(std::move(block));
        for (std::size_t i = 0; i < other.spans_.size(); ++i) {
            const Span span = other.spans_[i];
            const std::uint64_t bits = span.Bits();
            spans_.push_back((bits & kSizeMask) == 0 ? span : Span::FromBits(bits + (std::uint64_t(base) << kBlockShift)));
        }
    }
    // Its blocks go back to the pool; its entry array stays for its next entries.
    other.blocks_.clear();
    other.spans_.Rewind();
    ++other.generation_;
}

void TextList::clear()
{
    blocks_.clear();
    spans_.clear();
    ++generation_;
}

} // namespace velmora::text
