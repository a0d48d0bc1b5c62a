#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace velmora::catalogue {

// True when every byte is below 0x80: such a text reads the same as Latin-1,
// UTF-8 and UTF-16, so it needs no conversion through Qt or SQLite.
inline bool isAscii(std::string_view text)
{
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t high = 0;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        high |= word;
    }
    for (; n > 0; ++p, --n)
        high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080ULL) == 0;
}

} // namespace velmora::catalogue
