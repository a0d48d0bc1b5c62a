#include "import/RowBuffer.h"

#include <charconv>

#include "import/ImportObserver.h"
#include "text/TraceText.h"

namespace velmora::import {

RowBuffer::RowBuffer(ImportObserver& observer) : observer_(observer) {}

void RowBuffer::Clear()
{
    Import_Rows = text::RowStore(); // gives the memory back, not only the rows
    Current_Row_Index = 0;
    currentRow_ = {};
}

void RowBuffer::Assign(text::RowStore rows)
{
    Import_Rows = std::move(rows);
    currentRow_ = RowView(Current_Row_Index);
}

void RowBuffer::SetRow(int n)
{
    currentRow_ = RowView(n);
    if (n >= 0 && n < Count())
        observer_.Trace("Row #", text::Decimal(n), ": '", currentRow_, "'");
    Current_Row_Index = n;
}

int RowBuffer::RowNamedByTraceLine(std::string_view line)
{
    constexpr std::string_view kPrefix = "Row #";
    if (!line.starts_with(kPrefix)) return -1;
    int n = -1;
    const char* end = line.data() + line.size();
    const auto [after, error] = std::from_chars(line.data() + kPrefix.size(), end, n);
    return error == std::errc() && std::string_view(after, static_cast<std::size_t>(end - after)).starts_with(": '") ? n : -1;
}

std::string_view RowBuffer::RowView(int n) const
{
    return n >= 0 && n < Count() ? Import_Rows[static_cast<std::size_t>(n)] : std::string_view();
}

} // namespace velmora::import
