#pragma once

#include <cstddef>
#include <string_view>

namespace velmora::text {

// Rows are UTF-8 (a Windows-1252 file is decoded when it is loaded). The
// layout's rules that drop or skip "one character" mean one character of the
// file, never one byte of its UTF-8 form: these give a character's bytes.

inline bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of the character that starts at byte at (1 at or past the end,
// and for a stray continuation byte).
inline std::size_t CharacterSizeAt(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && end - at < 4 && IsContinuationByte(text[end])) ++end;
    return end - at;
}

// The bytes of the text's last character (0 for the empty text).
inline std::size_t LastCharacterSize(std::string_view text)
{
    std::size_t start = text.size();
    while (start > 0 && text.size() - start < 4) {
        --start;
        if (!IsContinuationByte(text[start])) break;
    }
    return text.size() - start;
}

} // namespace velmora::text
