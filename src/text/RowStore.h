#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/LineMap.h"
#include "text/MemoryPrefaulter.h"

namespace velmora::text {

// Rows of text kept in one block plus where each row ends: a million short
// rows then cost little more than the file itself, where a std::string per
// row would add some fifty bytes to each. An end costs four bytes (its low 32
// bits; the rare rows where the high bits change are listed apart), kept in
// fixed-size chunks so that growing never copies them.
class RowStore {
public:
    RowStore() = default;
    RowStore(RowStore&&) noexcept = default;
    RowStore& operator=(RowStore&&) noexcept = default;

    void Reserve(std::size_t textBytes) { text_.reserve(textBytes); }
    // Faults in the next few MB of the text's room on another core (see
    // MemoryPrefaulter.h), no further than textToCome bytes past the text so far;
    // worth a call for every piece of a big file.
    void PrepareAhead(std::size_t textToCome)
    {
        const std::size_t room = text_.capacity() - text_.size();
        textAhead_.Advance(text_.data(), text_.size(), text_.size() + std::min(room, textToCome));
    }
    // The next row, from the line after the previous row's line unless blank
    // lines were added in between.
    void Append(std::string_view row)
    {
        text_.append(row);
        CloseOpenRow();
    }
    // A line of the file that gave no row.
    void AddBlankLine() { lines_.AddLine(false); }
    void Clear();

    // A row built in pieces: the open row is the text after the last row.
    void ExtendOpenRow(std::string_view piece) { text_.append(piece); }
    std::string_view OpenRow() const { return std::string_view(text_).substr(RowStart(count_)); }
    void DropOpenRowEnd(std::size_t bytes) { text_.resize(text_.size() - bytes); }
    void DropOpenRow() { text_.resize(RowStart(count_)); }
    void CloseOpenRow();

    std::size_t Count() const { return count_; }
    // Row i, valid until the store changes; i must be below Count().
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t start = RowStart(i);
        return std::string_view(text_).substr(start, RowEnd(i) - start);
    }

    // The 1-based file line of row i, or 0 when there is no row i.
    std::size_t LineOfRow(std::size_t i) const { return lines_.LineOfRow(i); }
    // Decodes every row from Windows-1252 to UTF-8 in place.
    void DecodeWindows1252();

private:
    static constexpr std::size_t kChunkBits = 16;
    static constexpr std::size_t kChunkSize = std::size_t(1) << kChunkBits;
    struct HighBits {
        std::size_t firstRow;    // the first row whose end has these high bits
        std::uint64_t high;
    };

    std::size_t RowStart(std::size_t i) const { return i == 0 ? 0 : RowEnd(i - 1); }
    std::size_t RowEnd(std::size_t i) const
    {
        const std::uint32_t low = ends_[i >> kChunkBits][i & (kChunkSize - 1)];
        return highs_.empty() ? low : (HighOf(i) << 32 | low);
    }
    std::uint64_t HighOf(std::size_t i) const;
    void SetRowEnd(std::size_t i, std::size_t end);

    std::string text_;
    PrefaultAhead textAhead_;
    std::vector<std::unique_ptr<std::uint32_t[]>> ends_;  // chunks of kChunkSize ends
    std::vector<HighBits> highs_;                          // empty below 4 GiB of text
    std::size_t count_ = 0;
    LineMap lines_;
};

} // namespace velmora::text
