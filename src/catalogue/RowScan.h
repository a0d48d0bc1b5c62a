#pragma once

#include <QString>
#include <QVariantList>
#include <functional>
#include <string_view>

namespace velmora::catalogue {

class Database;

// One row of a scan: its values by column position, texts as UTF-8 (NULL
// reads as 0 or an empty text). Valid until the scan moves on.
class ScannedRow {
public:
    virtual ~ScannedRow() = default;
    virtual long long integer(int column) const = 0;
    virtual std::string_view text(int column) const = 0;
};

// Runs a select ("?" placeholders, bound in order to integers or texts) and
// hands each row to each, in the select's order, without keeping the result.
// On SQLite the values come straight from the engine on the connection Qt
// opened: a bulk reader's hundreds of thousands of rows without Qt SQL's value
// per field. Other drivers go through Qt SQL. Throws CatalogueError
// "Cannot read the catalogue: ...".
void scanRows(Database& database, const QString& select, const QVariantList& bindings,
              const std::function<void(const ScannedRow&)>& each);

} // namespace velmora::catalogue
