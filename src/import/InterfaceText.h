#pragma once

#include <cstddef>
#include <string_view>

namespace velmora::import {

// Position arithmetic of the interfaces parser: 1-based positions, 0 for "not
// found", as the reference layout is described that way.

inline bool Contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

// 1-based position of the first occurrence of part, 0 when absent.
inline long long PositionOf(std::string_view text, std::string_view part)
{
    const std::size_t at = text.find(part);
    return at == std::string_view::npos ? 0 : static_cast<long long>(at) + 1;
}

// The text from 1-based position a, n characters long: empty for n <= 0 or a
// past the end, cut short at the end of the text.
inline std::string_view TextFrom(std::string_view text, long long a, long long n)
{
    if (n <= 0 || a < 1 || a > static_cast<long long>(text.size()))
        return {};
    return text.substr(static_cast<std::size_t>(a - 1), static_cast<std::size_t>(n));
}

} // namespace velmora::import
