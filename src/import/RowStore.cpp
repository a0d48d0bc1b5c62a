#include "import/RowStore.h"

namespace velmora::import {

std::vector<std::string> RowStore::ToVector() const
{
    std::vector<std::string> rows;
    rows.reserve(Count());
    for (std::size_t i = 0; i < Count(); ++i) rows.emplace_back((*this)[i]);
    return rows;
}

RowStore RowStore::FromVector(const std::vector<std::string>& rows)
{
    std::size_t bytes = 0;
    for (const std::string& row : rows) bytes += row.size();
    RowStore store;
    store.Reserve(bytes);
    store.ends_.reserve(rows.size());
    for (const std::string& row : rows) store.Append(row);
    return store;
}

} // namespace velmora::import
