#pragma once

#include <string>
#include <string_view>

namespace velmora::catalogue {

// One cell of tab-separated rows, as PostgreSQL's COPY text form reads it and
// `dump` writes it: backslash, tab and line ends escaped, so every value stays
// one cell and every row one line.
inline void appendTabEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
}

} // namespace velmora::catalogue
