#pragma once

// Rows written as lines, and the lines rows hold: tests speak in lines, the
// program keeps rows in a RowStore filled from a file.

#include <string>
#include <string_view>
#include <vector>

#include "import/RowBuffer.h"
#include "text/RowLoader.h"
#include "text/RowStore.h"

namespace velmora::testing {

// One row per line, each kept as it is (no trimming, empty lines stay rows).
inline text::RowStore RowsOf(const std::vector<std::string>& lines)
{
    text::RowStore rows;
    for (const std::string& line : lines) rows.Append(line);
    return rows;
}

inline std::vector<std::string> LinesOf(const text::RowStore& rows)
{
    std::vector<std::string> lines;
    lines.reserve(rows.Count());
    for (std::size_t i = 0; i < rows.Count(); ++i) lines.emplace_back(rows[i]);
    return lines;
}

inline std::vector<std::string> LinesOf(const import::RowBuffer& rows)
{
    std::vector<std::string> lines;
    for (int i = 0; i < rows.Count(); ++i) lines.emplace_back(rows.RowView(i));
    return lines;
}

// The rows the splitter makes of text fed in one piece.
inline std::vector<std::string> SplitLines(std::string_view text)
{
    text::RowSplitter splitter(text.size());
    splitter.Feed(text);
    return LinesOf(splitter.FinishStore());
}

inline std::vector<std::string> LoadLines(const std::string& path)
{
    return LinesOf(text::LoadRowStore(path));
}

} // namespace velmora::testing
