// Every row keeps the number of the file line it came from, whatever ends the
// lines, however the text arrives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/RowLines.h"
#include "text/RowLoader.h"

namespace velmora::text {
namespace {

using LineNumbers = std::vector<std::size_t>;

LineNumbers LinesOfRows(const RowStore& rows)
{
    LineNumbers lines;
    for (std::size_t i = 0; i < rows.Count(); ++i) lines.push_back(rows.LineOfRow(i));
    return lines;
}

struct LinesCase {
    const char* name;
    std::string text;
    LineNumbers lines;
};

std::string LongLine(char c, std::size_t size) { return std::string(size, c); }

const std::vector<LinesCase> kCases{
    {"no rows", "\n\r\n  \r\t", {}},
    {"blank lines count", "a\n\n  \nb\n\t\nc", {1, 4, 6}},
    {"CR LF ends one line", "a\r\n\r\nb\r\nc\r\n", {1, 3, 4}},
    {"a lone CR ends one line", "a\r\rb\rc", {1, 3, 4}},
    {"mixed ends", "a\r\n\rb\n\r\nc\n\rd", {1, 3, 5, 7}},
    {"CR CR LF is two lines", "a\r\r\nb", {1, 3}},
    {"LF CR is two lines", "a\n\rb", {1, 3}},
    {"byte-order mark", "\xEF\xBB\xBF\nStructures\n\nX", {2, 4}},
    {"NUL ends the text", std::string("a\n\nb\0\nc", 7), {1, 3}},
    {"Windows-1252", "caf\xE9\n\n\x93q\x94\r\n\r\nz", {1, 3, 5}},
    {"very long lines", LongLine('x', 300000) + "\n\n" + LongLine('y', 200000) + "\r\n" + "z", {1, 3, 4}},
    {"past 64 lines", LongLine('\n', 130) + "a\n\n" + LongLine('\r', 70) + "b", {131, 203}},
};

TEST(RowLines, EachRowKnowsItsFileLine)
{
    for (const LinesCase& c : kCases) {
        RowSplitter splitter;
        splitter.Feed(c.text);
        const RowStore rows = splitter.FinishStore();
        EXPECT_EQ(LinesOfRows(rows), c.lines) << c.name;
        EXPECT_EQ(rows.LineOfRow(rows.Count()), 0u) << c.name;
    }
}

TEST(RowLines, TextFedInPiecesGivesTheSameLines)
{
    for (const LinesCase& c : kCases) {
        if (c.text.size() > 1000) continue;
        for (std::size_t cut = 0; cut <= c.text.size(); ++cut) {
            RowSplitter splitter;
            splitter.Feed(std::string_view(c.text).substr(0, cut));
            splitter.Feed(std::string_view());
            splitter.Feed(std::string_view(c.text).substr(cut));
            EXPECT_EQ(LinesOfRows(splitter.FinishStore()), c.lines) << c.name << ", cut at " << cut;
        }
    }
}

TEST(RowLines, RowsAppendedOneByOneFollowOneAnother)
{
    RowStore rows = testing::RowsOf({"a", "b"});
    rows.AddBlankLine();
    rows.Append("c");
    EXPECT_EQ(LinesOfRows(rows), (LineNumbers{1, 2, 4}));
    rows.Clear();
    EXPECT_EQ(rows.LineOfRow(0), 0u);
}

} // namespace
} // namespace velmora::text
