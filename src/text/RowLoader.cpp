#include "text/RowLoader.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <istream>
#include <memory>

#include <sys/stat.h>

#include "text/TraceText.h"

namespace velmora::text {

namespace {

bool IsTrimmed(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

// The word tricks below read the lowest address first.
static_assert(std::endian::native == std::endian::little);

constexpr std::uint64_t kEachByte = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

std::uint64_t LoadWord(const char* p)
{
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

bool IsAscii(std::string_view bytes)
{
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    std::uint64_t high = 0;
    for (; end - p >= 8; p += 8) high |= LoadWord(p);
    for (; p < end; ++p) high |= static_cast<unsigned char>(*p);
    return (high & kHighBits) == 0;
}

// The first CR, LF or NUL in [p, end), or end. Eight bytes at a time: the
// lowest byte flagged below 0x0E is exactly the first such byte.
const char* FindLineEnd(const char* p, const char* end)
{
    for (;;) {
        while (end - p >= 8) {
            const std::uint64_t word = LoadWord(p);
            const std::uint64_t below = (word - kEachByte * 0x0E) & ~word & kHighBits;
            if (below != 0) {
                p += std::countr_zero(below) / 8;
                break;
            }
            p += 8;
        }
        for (; p < end; ++p) {
            const char c = *p;
            if (c == '\n' || c == '\r' || c == '\0') return p;
            if (static_cast<unsigned char>(c) < 0x0E && end - p >= 8) break;  // another control byte: go on by words
        }
        if (p == end) return end;
        ++p;
    }
}

std::string_view Trimmed(const char* begin, const char* end)
{
    while (begin < end && IsTrimmed(*begin)) ++begin;
    while (end > begin && IsTrimmed(end[-1])) --end;
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
}

} // namespace

Utf8Scan ScanUtf8(std::string_view bytes, bool untilInvalid)
{
    Utf8Scan scan;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    const auto invalid = [&] {
        scan.valid = false;
        ++p; // the sequences after it still count
        return untilInvalid || scan.multibyte;
    };
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
        if (b >= 0xC2 && b <= 0xDF) {
            follow = 1;
            c = b & 0x1F;
            least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            follow = 2;
            c = b & 0x0F;
            least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            follow = 3;
            c = b & 0x07;
            least = 0x10000;
        } else {
            if (invalid())
                return scan;
            continue;
        }
        bool sequence = end - p > follow;
        for (int i = 1; sequence && i <= follow; ++i) {
            sequence = (p[i] & 0xC0) == 0x80;
            c = (c << 6) | (p[i] & 0x3F);
        }
        if (!sequence || c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            if (invalid())
                return scan;
            continue;
        }
        scan.multibyte = true;
        if (!scan.valid)
            return scan;
        p += follow + 1;
    }
    return scan;
}

bool IsValidUtf8(std::string_view bytes)
{
    return ScanUtf8(bytes, true).valid;
}

RowSplitter::RowSplitter(std::size_t expectedBytes) : expected_(expectedBytes)
{
    // The rows never hold more text than the file.
    rows_.Reserve(expectedBytes);
}

bool RowSplitter::Feed(std::string_view bytes)
{
    if (ended_) return false;
    if (!started_) {
        // Editors that save UTF-8 often put a byte-order mark first; it is no
        // part of the first row. It may come split over two or three pieces.
        constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
        const std::size_t take = std::min(kUtf8Bom.size() - head_.size(), bytes.size());
        head_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (head_.size() < kUtf8Bom.size() && kUtf8Bom.starts_with(head_)) return true;
        started_ = true;
        if (head_ != kUtf8Bom && !Split(head_)) return false;
        head_.clear();
    }
    return Split(bytes);
}

bool RowSplitter::Split(std::string_view bytes)
{
    // CR, LF and CR LF each end one line; a NUL ends the text. Lines go
    // straight into the store, however long: no second copy.
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    if (afterCr_ && p < end) {
        afterCr_ = false;
        if (*p == '\n') ++p;
    }
    // Only the first line of a piece can go on from the piece before.
    bool continued = !rows_.OpenRow().empty();
    // The text to come is at most this piece and what the file still holds.
    rows_.PrepareAhead(expected_ > fed_ ? expected_ - fed_ : static_cast<std::size_t>(end - p));
    fed_ += bytes.size();
    if (lead_.size() < 2)
        lead_.append(bytes.substr(0, 2 - lead_.size()));
    const bool ascii = IsAscii(bytes);
    while (p < end) {
        const char* const lineEnd = FindLineEnd(p, end);
        if (lineEnd == end || *lineEnd == '\0') {
            Extend(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
            ended_ = lineEnd != end;
            break;
        }
        if (continued) {
            Extend(std::string_view(p, static_cast<std::size_t>(lineEnd - p)));
            CloseRow();
            continued = false;
        } else {
            // A whole line within the piece: trimmed before it is stored.
            const std::string_view line = Trimmed(p, lineEnd);
            if (line.empty()) {
                rows_.AddBlankLine();
            } else {
                if (!ascii)
                    CheckEncoding(line);
                rows_.Append(line);
            }
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
    if (!started_) Split(head_);  // a text shorter than a byte-order mark
    // The last line, when no line end closes it; an empty one is no line.
    if (!rows_.OpenRow().empty()) CloseRow();
    ended_ = true;
    notes_.utf16 = lead_ == "\xFF\xFE" || lead_ == "\xFE\xFF";
    if (!validUtf8_) {
        if (sawMultibyte_)
            notes_.strayByteLine = rows_.LineOfRow(firstInvalidRow_);
        rows_.DecodeWindows1252();
    }
    return std::move(rows_);
}

void RowSplitter::Extend(std::string_view piece)
{
    // Leading blanks of a line never reach the store.
    if (rows_.OpenRow().empty())
        while (!piece.empty() && IsTrimmed(piece.front())) piece.remove_prefix(1);
    rows_.ExtendOpenRow(piece);
}

void RowSplitter::CloseRow()
{
    const std::string_view line = rows_.OpenRow();
    std::size_t last = line.size();
    while (last > 0 && IsTrimmed(line[last - 1])) --last;
    if (last == 0) {
        rows_.DropOpenRow();
        rows_.AddBlankLine();
        return;
    }
    rows_.DropOpenRowEnd(line.size() - last);
    CheckEncoding(rows_.OpenRow());
    rows_.CloseOpenRow();
}

void RowSplitter::CheckEncoding(std::string_view row)
{
    // Whatever a row loses, and every line end, is ASCII: the file is valid
    // UTF-8 exactly when each of its rows is.
    if (!validUtf8_ && sawMultibyte_)
        return; // nothing more to learn
    const Utf8Scan scan = ScanUtf8(row, false);
    sawMultibyte_ = sawMultibyte_ || scan.multibyte;
    if (!scan.valid && validUtf8_) {
        validUtf8_ = false;
        firstInvalidRow_ = rows_.Count();
    }
}

RowStore LoadRowStore(const std::string& path, EncodingNotes* notes)
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
    RowStore rows = splitter.FinishStore();
    if (notes)
        *notes = splitter.Notes();
    return rows;
}

RowStore LoadRowStore(std::istream& in, const std::string& name, EncodingNotes* notes)
{
    RowSplitter splitter;
    std::vector<char> chunk(1 << 16);
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        if (!splitter.Feed(std::string_view(chunk.data(), static_cast<std::size_t>(in.gcount())))) break;
    }
    if (in.bad()) throw ImportFileError(Concat("Cannot read the import file '", name, "'"));
    RowStore rows = splitter.FinishStore();
    if (notes)
        *notes = splitter.Notes();
    return rows;
}

} // namespace velmora::text
