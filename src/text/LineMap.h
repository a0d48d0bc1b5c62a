#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmora::text {

// Which lines of a file became rows: one bit per line, so that the file line
// of any row can be told at the cost of an eighth of a byte per line. A row's
// line is found only when someone asks (an error, a tooltip), by counting bits.
class LineMap {
public:
    // The next line of the file: kept (it became the next row) or blank.
    void AddLine(bool kept)
    {
        if ((lines_ & 63) == 0) bits_.push_back(0);
        bits_.back() |= std::uint64_t{kept} << (lines_ & 63);
        ++lines_;
    }
    void Clear()
    {
        bits_.clear();
        lines_ = 0;
    }

    // The 1-based file line of row `row` (0-based), or 0 when there is no such row.
    std::size_t LineOfRow(std::size_t row) const;

private:
    std::vector<std::uint64_t> bits_;
    std::size_t lines_ = 0;
};

} // namespace velmora::text
