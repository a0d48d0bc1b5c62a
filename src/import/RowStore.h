#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "import/LineMap.h"

namespace velmora::import {

// Rows of text kept in one block plus where each row ends: a million short
// rows then cost little more than the file itself, where a std::string per
// row would add some fifty bytes to each.
class RowStore {
public:
    void Reserve(std::size_t textBytes) { text_.reserve(textBytes); }
    // The next row, from the line after the previous row's line unless blank
    // lines were added in between.
    void Append(std::string_view row)
    {
        text_.append(row);
        ends_.push_back(text_.size());
        lines_.AddLine(true);
    }
    // A line of the file that gave no row.
    void AddBlankLine() { lines_.AddLine(false); }
    // The rows stay; which lines they came from is taken from `other`, a store
    // of as many rows.
    void TakeLinesFrom(RowStore& other) { lines_ = std::move(other.lines_); }
    void Clear()
    {
        text_.clear();
        ends_.clear();
        lines_.Clear();
    }

    std::size_t Count() const { return ends_.size(); }
    // Row i, valid until the store changes; i must be below Count().
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(start, ends_[i] - start);
    }

    // The 1-based file line of row i, or 0 when there is no row i.
    std::size_t LineOfRow(std::size_t i) const { return lines_.LineOfRow(i); }

    std::vector<std::string> ToVector() const;
    static RowStore FromVector(const std::vector<std::string>& rows);

private:
    std::string text_;
    std::vector<std::size_t> ends_;  // ends_[i]: where row i ends in text_
    LineMap lines_;
};

} // namespace velmora::import
