#include "importsave/StoredStructures.h"

#include <QString>
#include <string_view>
#include <unordered_map>

#include "catalogue/CatalogueNames.h"
#include "catalogue/RowScan.h"

namespace velmora::importsave {

long long StructuresAlreadyStored(catalogue::Database& database, int foundationClass, const text::TextList& names)
{
    std::unordered_map<std::string_view, bool> stored;   // the file's names, and whether the catalogue has each
    stored.reserve(names.size());
    for (std::string_view name : names)
        stored.emplace(name, false);
    catalogue::scanRows(database,
                        QStringLiteral("SELECT Structure_Name FROM %1 WHERE Foundation_Class_Index = ?")
                            .arg(catalogue::names::StructuresTable),
                        {foundationClass}, [&](const catalogue::ScannedRow& row) {
                            if (const auto found = stored.find(row.text(0)); found != stored.end())
                                found->second = true;
                        });
    long long count = 0;
    for (std::string_view name : names)
        count += stored[name] ? 1 : 0;
    return count;
}

} // namespace velmora::importsave
