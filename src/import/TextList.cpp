#include "import/TextList.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace velmora::import {

TextList::Span TextList::AppendText(std::string_view text)
{
    if (text.size() >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("TextList: an entry of 4 GiB or more");
    if (blocks_.empty() || blocks_.back().capacity() - blocks_.back().size() < text.size()) {
        // text may view this list: it is copied before blocks_ changes.
        std::string block;
        block.reserve(std::max(kBlockBytes, text.size()));
        block.append(text);
        blocks_.push_back(std::move(block));
        return Span{static_cast<std::uint32_t>(blocks_.size() - 1), 0, static_cast<std::uint32_t>(text.size())};
    }
    std::string& block = blocks_.back();
    const auto offset = static_cast<std::uint32_t>(block.size());
    block.append(text);  // within the capacity: the block does not move
    return Span{static_cast<std::uint32_t>(blocks_.size() - 1), offset, static_cast<std::uint32_t>(text.size())};
}

void TextList::push_back(std::string_view text)
{
    spans_.push_back(AppendText(text));
}

void TextList::Append(const TextList& other)
{
    for (std::size_t i = 0; i < other.size(); ++i) {
        const bool shared = i > 0 && other.spans_[i] == other.spans_[i - 1];
        if (shared) RepeatLast();
        else push_back(other.At(i));
    }
}

void TextList::Append(TextList&& other)
{
    std::size_t text = 0;
    for (const std::string& block : other.blocks_) text += block.size();
    if (text < kBlockBytes) {
        // A few entries: copied, so that small lists leave no half-empty blocks behind.
        Append(other);
    } else {
        const auto base = static_cast<std::uint32_t>(blocks_.size());
        for (std::string& block : other.blocks_) blocks_.push_back(std::move(block));
        spans_.reserve(spans_.size() + other.spans_.size());
        for (const Span& span : other.spans_) spans_.push_back(Span{base + span.block, span.offset, span.size});
    }
    other.clear();
}

void TextList::clear()
{
    blocks_.clear();
    spans_.clear();
}

void TextList::Replace(std::size_t i, std::string_view text)
{
    const Span span = AppendText(text);
    spans_.at(i) = span;
}

} // namespace velmora::import
