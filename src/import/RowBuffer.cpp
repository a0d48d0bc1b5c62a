#include "import/RowBuffer.h"

#include "import/ImportObserver.h"
#include "import/TraceText.h"

namespace velmora::import {

RowBuffer::RowBuffer(ImportObserver& observer) : observer_(observer) {}

void RowBuffer::Clear()
{
    Import_Rows = RowStore();  // gives the memory back, not only the rows
    Current_Row_Index = 0;
}

void RowBuffer::Assign(RowStore rows)
{
    Import_Rows = std::move(rows);
}

void RowBuffer::Assign(const std::vector<std::string>& rows)
{
    Import_Rows = RowStore::FromVector(rows);
}

void RowBuffer::SetRow(int n)
{
    if (n >= 0 && n < Count()) observer_.AppendTrace(Concat("Row #", Decimal(n), ": '", RowView(n), "'"));
    Current_Row_Index = n;
}

std::string_view RowBuffer::RowView(int n) const
{
    return n >= 0 && n < Count() ? Import_Rows[static_cast<std::size_t>(n)] : std::string_view();
}

} // namespace velmora::import
