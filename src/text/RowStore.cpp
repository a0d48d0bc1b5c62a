#include "text/RowStore.h"

#include <algorithm>
#include <stdexcept>

namespace velmora::text {

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t CodePoint(unsigned char b)
{
    return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b;
}

std::size_t Utf8Length(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
}

// Writes c as UTF-8 ending just before at; returns where it starts.
char* PutUtf8Before(char* at, char32_t c)
{
    if (c < 0x80) {
        *--at = static_cast<char>(c);
    } else if (c < 0x800) {
        *--at = static_cast<char>(0x80 | (c & 0x3F));
        *--at = static_cast<char>(0xC0 | (c >> 6));
    } else {
        *--at = static_cast<char>(0x80 | (c & 0x3F));
        *--at = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *--at = static_cast<char>(0xE0 | (c >> 12));
    }
    return at;
}

} // namespace

void RowStore::Clear()
{
    text_.clear();
    ends_.clear();
    highs_.clear();
    count_ = 0;
    lines_.Clear();
}

void RowStore::CloseOpenRow()
{
    if ((count_ & (kChunkSize - 1)) == 0 && (count_ >> kChunkBits) == ends_.size()) {
        ends_.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(kChunkSize));
        PrefaultMemory(ends_.back().get(), kChunkSize * sizeof(std::uint32_t));
    }
    ++count_;
    SetRowEnd(count_ - 1, text_.size());
    lines_.AddLine(true);
}

void RowStore::SetRowEnd(std::size_t i, std::size_t end)
{
    const std::uint64_t high = static_cast<std::uint64_t>(end) >> 32;
    const std::uint64_t current = highs_.empty() ? 0 : highs_.back().high;
    if (high != current) {
        // Ends are set in row order, so the list stays sorted.
        if (!highs_.empty() && highs_.back().firstRow == i) highs_.back().high = high;
        else highs_.push_back({i, high});
    }
    ends_[i >> kChunkBits][i & (kChunkSize - 1)] = static_cast<std::uint32_t>(end);
}

std::uint64_t RowStore::HighOf(std::size_t i) const
{
    const auto after = std::upper_bound(highs_.begin(), highs_.end(), i,
                                        [](std::size_t row, const HighBits& h) { return row < h.firstRow; });
    return after == highs_.begin() ? 0 : std::prev(after)->high;
}

void RowStore::DecodeWindows1252()
{
    std::size_t decoded = 0;
    for (const char c : text_) decoded += Utf8Length(CodePoint(static_cast<unsigned char>(c)));
    if (decoded == text_.size()) return;
    if (!highs_.empty() || decoded >> 32) {
        // Past 4 GiB the ends cannot be rewritten in place: build anew.
        RowStore copy;
        copy.Reserve(decoded);
        for (std::size_t i = 0; i < count_; ++i) {
            for (const char c : (*this)[i]) {
                char bytes[3];
                char* const end = bytes + 3;
                const char* start = PutUtf8Before(end, CodePoint(static_cast<unsigned char>(c)));
                copy.ExtendOpenRow(std::string_view(start, static_cast<std::size_t>(end - start)));
            }
            copy.CloseOpenRow();
        }
        copy.lines_ = std::move(lines_);
        *this = std::move(copy);
        return;
    }
    // In place, from the back: every byte moves towards the end, never over
    // one still to be read.
    const std::size_t oldSize = text_.size();
    text_.resize(decoded);
    char* const base = text_.data();
    char* write = base + decoded;
    std::size_t read = oldSize;
    for (std::size_t i = count_; i-- > 0;) {
        const std::size_t start = RowStart(i);
        SetRowEnd(i, static_cast<std::size_t>(write - base));
        while (read > start) write = PutUtf8Before(write, CodePoint(static_cast<unsigned char>(base[--read])));
    }
}

} // namespace velmora::text
