#include "import/TextList.h"

#include <algorithm>
#include <stdexcept>

namespace velmora::import {

TextList::Span TextList::MakeSpan(std::size_t block, std::size_t offset, std::size_t size)
{
    if (block >= kMaxBlocks) throw std::length_error("TextList: too many blocks of text");
    return Span::FromBits(std::uint64_t(block) << kBlockShift | std::uint64_t(offset) << kSizeBits |
                          std::min<std::uint64_t>(size, kSizeMask));
}

TextList::Span TextList::AppendText(std::string_view text)
{
    if (text.empty()) return MakeSpan(0, 0, 0);  // nothing to keep
    const bool longEntry = text.size() >= kSizeMask;
    if (longEntry || !lastBlockTakesMore_ || blocks_.back().size() + text.size() > kBlockBytes) {
        // text may view this list: it is copied before blocks_ changes.
        std::string block;
        block.reserve(longEntry ? text.size() : kBlockBytes);
        block.append(text);
        blocks_.push_back(std::move(block));
        lastBlockTakesMore_ = !longEntry;
        return MakeSpan(blocks_.size() - 1, 0, text.size());
    }
    std::string& block = blocks_.back();
    const std::size_t offset = block.size();
    block.append(text);  // within the capacity: the block does not move
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

void TextList::Append(const TextList& other)
{
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
        lastBlockTakesMore_ = other.lastBlockTakesMore_;
        other.clear();
        return;
    }
    std::size_t text = 0;
    for (const std::string& block : other.blocks_) text += block.size();
    if (text < kBlockBytes) {
        // A few entries: copied, so that small lists leave no half-empty blocks behind.
        Append(other);
    } else {
        const std::size_t base = blocks_.size();
        if (base + other.blocks_.size() > kMaxBlocks) throw std::length_error("TextList: too many blocks of text");
        for (std::string& block : other.blocks_) blocks_.push_back(std::move(block));
        spans_.reserve(spans_.size() + other.spans_.size());
        for (const Span span : other.spans_) {
            const std::uint64_t bits = span.Bits();
            spans_.push_back((bits & kSizeMask) == 0 ? span : Span::FromBits(bits + (std::uint64_t(base) << kBlockShift)));
        }
        lastBlockTakesMore_ = other.lastBlockTakesMore_;
    }
    other.clear();
}

void TextList::clear()
{
    blocks_.clear();
    spans_.clear();
    lastBlockTakesMore_ = false;
}

} // namespace velmora::import
