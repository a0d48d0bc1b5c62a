#include "import/RowLoader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include <sys/stat.h>

#include "import/TraceText.h"

namespace velmora::import {

namespace {

std::string ReadWholeFile(const std::string& path)
{
    const auto fail = [&](std::string_view what) {
        return ImportFileError(Concat("Cannot ", what, " the import file '", path, "': ", std::strerror(errno)));
    };
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) throw fail("open");

    std::string bytes;
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) == 0 && info.st_size > 0)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[1 << 16];
    for (;;) {
        const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
        bytes.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(file.get())) throw fail("read");
    return bytes;
}

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int follow = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (b >= 0xC2 && b <= 0xDF) { follow = 1; c = b & 0x1F; least = 0x80; }
        else if (b >= 0xE0 && b <= 0xEF) { follow = 2; c = b & 0x0F; least = 0x800; }
        else if (b >= 0xF0 && b <= 0xF4) { follow = 3; c = b & 0x07; least = 0x10000; }
        else return false;
        if (end - p <= follow) return false;
        for (int i = 1; i <= follow; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            c = (c << 6) | (p[i] & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        p += follow + 1;
    }
    return true;
}

std::string DecodeToUtf8(std::string bytes)
{
    if (IsValidUtf8(bytes)) return bytes;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out.push_back(ch);
        else if (b < 0xA0) AppendUtf8(out, kCp1252High[b - 0x80]);
        else AppendUtf8(out, b);
    }
    return out;
}

std::vector<std::string> SplitIntoRows(std::string_view text)
{
    text = text.substr(0, text.find('\0'));

    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) ++lineEnds;

    std::vector<std::string> rows;
    rows.reserve(lineEnds + 1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && !IsLineEnd(text[end])) ++end;
        std::size_t first = pos;
        std::size_t last = end;
        while (first < last && IsTrimmed(text[first])) ++first;
        while (last > first && IsTrimmed(text[last - 1])) --last;
        if (first < last) rows.emplace_back(text.substr(first, last - first));
        // CR LF is one line end; a lone CR or LF is one too.
        pos = end + ((end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
    }
    return rows;
}

std::vector<std::string> LoadRows(const std::string& path)
{
    std::string bytes = ReadWholeFile(path);
    // Cut at the NUL before deciding on the encoding: what follows it is not text.
    if (const std::size_t nul = bytes.find('\0'); nul != std::string::npos) bytes.resize(nul);
    return SplitIntoRows(DecodeToUtf8(std::move(bytes)));
}

} // namespace velmora::import
