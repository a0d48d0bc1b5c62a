#include "import/RowBuffer.h"

#include "import/ImportObserver.h"
#include "import/TraceText.h"

namespace velmora::import {

RowBuffer::RowBuffer(ImportObserver& observer) : observer_(observer) {}

void RowBuffer::Clear()
{
    Import_Rows.clear();
    Current_Row_Index = 0;
}

void RowBuffer::Assign(std::vector<std::string> rows)
{
    Import_Rows = std::move(rows);
}

void RowBuffer::SetRow(int n)
{
    if (n >= 0 && n < Count())
        observer_.AppendTrace(Concat("Row #", Decimal(n), ": '", Import_Rows[static_cast<std::size_t>(n)], "'"));
    Current_Row_Index = n;
}

std::string RowBuffer::GetRow() const
{
    return RowRef();
}

const std::string& RowBuffer::RowRef() const
{
    return RowAt(Current_Row_Index);
}

const std::string& RowBuffer::RowAt(int n) const
{
    static const std::string empty;
    return n >= 0 && n < Count() ? Import_Rows[static_cast<std::size_t>(n)] : empty;
}

} // namespace velmora::import
