#pragma once

#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "generators/Pick.h"
#include "generators/ShapeCounts.h"

namespace velmora::bench {

// One line of a varied file with the row it holds, so that a test can name the
// row at any line, also after lines were dropped or moved.
struct FileLine {
    std::string bytes; // as written, line end included (the last line may have none)
    std::string row; // the row loading makes of it, UTF-8; empty for a blank line
};

// How a varied file writes its rows: CR LF, LF, CR or all three mixed; UTF-8,
// with or without a byte-order mark, or Windows-1252; blank and whitespace-only
// lines between rows; rows padded with bytes that trimming removes. Rows are
// given as loading gives them back: trimmed, UTF-8.
class FileForm {
public:
    explicit FileForm(std::mt19937& random)
        : lineEnds_(Pick(random, 0, 3)), encoding_(Pick(random, 0, 2)), blankLines_(OneIn(random, 2)),
          padded_(OneIn(random, 2)), lastLineEnd_(!OneIn(random, 5))
    {
    }

    bool Windows1252() const { return encoding_ == kWindows1252; }

    // A character outside ASCII that Windows-1252 has too, as UTF-8. Callers
    // never put two of them side by side, so a Windows-1252 file that holds
    // one is never valid UTF-8 by chance.
    static std::string_view Character(std::mt19937& random)
    {
        return kCharacters[Pick(random, 0, static_cast<int>(std::size(kCharacters)) - 1)].utf8;
    }
    static constexpr std::string_view kNoBreakSpace = "\xC2\xA0";

    std::vector<FileLine> Lines(const std::vector<std::string>& rows, std::mt19937& random, ShapeCounts& shapes) const
    {
        std::vector<FileLine> lines;
        bool outsideAscii = false;
        for (const std::string& row : rows) {
            if (blankLines_ && OneIn(random, 6))
                lines.push_back({Padding(random, 1) + LineEnd(random), {}});
            const std::string padding = padded_ ? Padding(random, 0) : std::string();
            lines.push_back({padding + Encoded(row) + (padded_ ? Padding(random, 0) : "") + LineEnd(random), row});
            for (char c : row)
                outsideAscii |= static_cast<unsigned char>(c) >= 0x80;
        }
        if (encoding_ == kByteOrderMark && !lines.empty())
            lines.front().bytes.insert(0, "\xEF\xBB\xBF");
        if (!lastLineEnd_ && !lines.empty()) {
            std::string& last = lines.back().bytes;
            while (!last.empty() && (last.back() == '\r' || last.back() == '\n'))
                last.pop_back();
            Count(shapes, "no line end after the last row");
        }

        static constexpr const char* ends[] = {"CR LF", "LF", "CR", "mixed line ends"};
        Count(shapes, ends[lineEnds_]);
        if (encoding_ == kByteOrderMark)
            Count(shapes, "byte-order mark");
        if (encoding_ != kWindows1252)
            Count(shapes, "UTF-8");
        if (encoding_ == kWindows1252 && outsideAscii)
            Count(shapes, "Windows-1252 with characters outside ASCII");
        if (blankLines_)
            Count(shapes, "blank lines");
        if (padded_)
            Count(shapes, "padded rows");
        return lines;
    }

    static std::string Join(const std::vector<FileLine>& lines)
    {
        std::string bytes;
        for (const FileLine& line : lines)
            bytes += line.bytes;
        return bytes;
    }

private:
    static constexpr int kByteOrderMark = 1;
    static constexpr int kWindows1252 = 2;

    struct Character1252 {
        std::string_view utf8;
        char windows1252;
    };
    static constexpr Character1252 kCharacters[] = {
        {"\xC3\xA9", '\xE9'},     {"\xC3\xBC", '\xFC'},     {"\xC3\x9F", '\xDF'},
        {"\xC3\x84", '\xC4'},     {"\xC3\x89", '\xC9'},     {kNoBreakSpace, '\xA0'},
        {"\xE2\x82\xAC", '\x80'}, {"\xE2\x80\x99", '\x92'}, {"\xE2\x80\x94", '\x97'},
    };

    std::string Encoded(const std::string& row) const
    {
        if (encoding_ != kWindows1252)
            return row;
        std::string bytes;
        for (std::size_t at = 0; at < row.size();) {
            if (static_cast<unsigned char>(row[at]) < 0x80) {
                bytes += row[at++];
                continue;
            }
            bool known = false;
            for (const Character1252& c : kCharacters) {
                if (std::string_view(row).substr(at, c.utf8.size()) != c.utf8)
                    continue;
                bytes += c.windows1252;
                at += c.utf8.size();
                known = true;
                break;
            }
            if (!known)
                throw std::logic_error("no Windows-1252 byte for a character of: " + row);
        }
        return bytes;
    }

    // Bytes that trimming removes. A blank line gets at least one, so that no
    // line starts with LF: after a CR it would make one line end of two.
    static std::string Padding(std::mt19937& random, int least)
    {
        static constexpr char kBlank[] = {' ', '\t', '\f', '\v', '\x1F'};
        std::string padding;
        for (int n = Pick(random, least, 3); n > 0; --n)
            padding += kBlank[Pick(random, 0, std::size(kBlank) - 1)];
        return padding;
    }

    const char* LineEnd(std::mt19937& random) const
    {
        static constexpr const char* ends[] = {"\r\n", "\n", "\r"};
        return ends[lineEnds_ == 3 ? Pick(random, 0, 2) : lineEnds_];
    }

    int lineEnds_; // CR LF, LF, CR, mixed
    int encoding_; // UTF-8, UTF-8 after a byte-order mark, Windows-1252
    bool blankLines_;
    bool padded_;
    bool lastLineEnd_;
};

} // namespace velmora::bench
