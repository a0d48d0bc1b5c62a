#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string_view>

namespace velmora::catalogue {

class Database;

// Appends many new rows to one table through one prepared INSERT, reused for
// every row; a bulk writer's alternative to a Table cursor. Every row sets
// every column, by its position in the column list; texts are UTF-8 and must
// stay valid until append(). The key column is left out and comes back from
// append(). Runs inside the caller's transaction. An appender must go before
// its database disconnects.
class RowAppender {
public:
    // SQLite connections get the engine's own statement API; any other Qt SQL
    // driver gets a prepared QSqlQuery. Throws CatalogueError.
    static std::unique_ptr<RowAppender> open(Database& database, const QString& table, const QString& keyField,
                                             const QStringList& columns);

    virtual ~RowAppender() = default;
    virtual void setInteger(int column, long long value) = 0;
    virtual void setText(int column, std::string_view utf8) = 0;
    // Writes the row and returns the key it received. Throws CatalogueError
    // "Cannot write to the table T: driver message".
    virtual long long append() = 0;
};

} // namespace velmora::catalogue
