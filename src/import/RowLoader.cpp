#include "import/RowLoader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>

#include <sys/stat.h>

#include "import/TraceText.h"

namespace velmora::import {

namespace {

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
        // Eight ASCII bytes at a time: most text is nothing else.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if (word & 0x8080808080808080ull) break;
            p += 8;
        }
        if (p == end) break;
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

std::string DecodeWindows1252(std::string_view bytes)
{
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

std::string DecodeToUtf8(std::string bytes)
{
    return IsValidUtf8(bytes) ? std::move(bytes) : DecodeWindows1252(bytes);
}

RowSplitter::RowSplitter(std::size_t expectedBytes)
{
    // The rows never hold more text than the file.
    rows_.Reserve(expectedBytes);
}

bool RowSplitter::Feed(std::string_view bytes)
{
    if (ended_) return false;
    if (!started_ && !bytes.empty()) {
        // Editors that save UTF-8 often put a byte-order mark first; it is no
        // part of the first row.
        started_ = true;
        constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
        if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) bytes.remove_prefix(kUtf8Bom.size());
    }
    if (const std::size_t nul = bytes.find('\0'); nul != std::string_view::npos) {
        bytes = bytes.substr(0, nul);
        ended_ = true;
    }
    if (afterCr_ && !bytes.empty()) {
        afterCr_ = false;
        if (bytes.front() == '\n') bytes.remove_prefix(1);
    }
    // CR, LF and CR LF each end one line.
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\n' && *lineEnd != '\r') ++lineEnd;
        if (lineEnd == end) {
            partial_.append(p, end);
            break;
        }
        if (partial_.empty()) {
            AddRow(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
        } else {
            partial_.append(p, lineEnd);
            AddRow(partial_);
            partial_.clear();
        }
        p = lineEnd + 1;
        if (*lineEnd == '\r') {
            if (p == end) afterCr_ = true;
            else if (*p == '\n') ++p;
        }
    }
    return !ended_;
}

RowStore RowSplitter::FinishStore()
{
    if (!partial_.empty()) AddRow(partial_);  // the last line, when no line end closes it
    partial_.clear();
    ended_ = true;
    if (validUtf8_) return std::move(rows_);
    RowStore decoded;
    for (std::size_t i = 0; i < rows_.Count(); ++i) decoded.Append(DecodeWindows1252(rows_[i]));
    decoded.TakeLinesFrom(rows_);
    rows_.Clear();
    return decoded;
}

void RowSplitter::AddRow(std::string_view line)
{
    std::size_t first = 0;
    std::size_t last = line.size();
    while (first < last && IsTrimmed(line[first])) ++first;
    while (last > first && IsTrimmed(line[last - 1])) --last;
    if (first == last) {
        rows_.AddBlankLine();
        return;
    }
    const std::string_view row = line.substr(first, last - first);
    // Whatever a row loses, and every line end, is ASCII: the file is valid
    // UTF-8 exactly when each of its rows is.
    if (validUtf8_ && !IsValidUtf8(row)) validUtf8_ = false;
    rows_.Append(row);
}

std::vector<std::string> SplitIntoRows(std::string_view text)
{
    RowSplitter splitter(text.size());
    splitter.Feed(text);
    return splitter.Finish();
}

std::vector<std::string> LoadRows(const std::string& path)
{
    return LoadRowStore(path).ToVector();
}

RowStore LoadRowStore(const std::string& path)
{
    const auto fail = [&](std::string_view what) {
        return ImportFileError(Concat("Cannot ", what, " the import file '", path, "': ", std::strerror(errno)));
    };
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) throw fail("open");
    struct stat info {};
    const bool sized = ::fstat(::fileno(file.get()), &info) == 0 && info.st_size > 0;

    // Read in pieces: the file never has to sit in memory beside its rows.
    RowSplitter splitter(sized ? static_cast<std::size_t>(info.st_size) : 0);
    std::vector<char> chunk(1 << 16);
    for (;;) {
        const std::size_t got = std::fread(chunk.data(), 1, chunk.size(), file.get());
        if (!splitter.Feed(std::string_view(chunk.data(), got)) || got < chunk.size()) break;
    }
    if (std::ferror(file.get())) throw fail("read");
    return splitter.FinishStore();
}

RowStore LoadRowStore(std::istream& in, const std::string& name)
{
    RowSplitter splitter;
    std::vector<char> chunk(1 << 16);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        if (!splitter.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())))) break;
    }
    if (in.bad()) throw ImportFileError(Concat("Cannot read the import file '", name, "'"));
    return splitter.FinishStore();
}

} // namespace velmora::import
