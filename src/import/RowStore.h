#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::import {

// Rows of text kept in one block plus where each row ends: a million short
// rows then cost little more than the file itself, where a std::string per
// row would add some fifty bytes to each.
class RowStore {
public:
    void Reserve(std::size_t textBytes) { text_.reserve(textBytes); }
    void Append(std::string_view row)
    {
        text_.append(row);
        ends_.push_back(text_.size());
    }
    void Clear()
    {
        text_.clear();
        ends_.clear();
    }

    std::size_t Count() const { return ends_.size(); }
    // Row i, valid until the store changes; i must be below Count().
    std::string_view operator[](std::size_t i) const
    {
        const std::size_t start = i == 0 ? 0 : ends_[i - 1];
        return std::string_view(text_).substr(start, ends_[i] - start);
    }

    std::vector<std::string> ToVector() const;
    static RowStore FromVector(const std::vector<std::string>& rows);

private:
    std::string text_;
    std::vector<std::size_t> ends_;  // ends_[i]: where row i ends in text_
};

} // namespace velmora::import
