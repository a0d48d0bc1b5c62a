#include "text/LineMap.h"

#include <bit>

namespace velmora::text {

std::size_t LineMap::LineOfRow(std::size_t row) const
{
    std::size_t rowsBefore = 0;
    for (std::size_t word = 0; word < bits_.size(); ++word) {
        std::uint64_t bits = bits_[word];
        const auto kept = static_cast<std::size_t>(std::popcount(bits));
        if (rowsBefore + kept <= row) {
            rowsBefore += kept;
            continue;
        }
        for (std::size_t skip = row - rowsBefore; skip > 0; --skip) bits &= bits - 1;  // drop the lowest kept line
        return word * 64 + static_cast<std::size_t>(std::countr_zero(bits)) + 1;
    }
    return 0;
}

} // namespace velmora::text
