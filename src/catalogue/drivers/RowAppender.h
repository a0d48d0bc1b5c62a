#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>
#include <string_view>

namespace velmora::catalogue {

class Database;

// Appends many new rows to one table; a bulk writer's alternative to a Table
// cursor. Every row sets every column, by its position in the column list;
// texts are UTF-8 and must stay valid until append(). The key column is left
// out and comes back from append(). Rows may reach the database only at
// finish(), which the caller runs before it reads the table again. Runs inside
// the caller's transaction. An appender must go before its database disconnects.
class RowAppender {
public:
    // SQLite connections get the engine's own statement API, PostgreSQL ones
    // COPY through libpq; any other Qt SQL driver gets a prepared QSqlQuery.
    // rowCount: how many rows are to come (a server path takes their keys at
    // once). Throws CatalogueError.
    static std::unique_ptr<RowAppender> open(Database& database, const QString& table, const QString& keyField,
                                             const QStringList& columns, std::size_t rowCount);

    virtual ~RowAppender() = default;
    virtual void setInteger(int column, long long value) = 0;
    virtual void setText(int column, std::string_view utf8) = 0;
    // Writes the row and returns the key it received. Throws CatalogueError
    // "Cannot write to the table T: driver message".
    virtual long long append() = 0;
    // Writes what append() has gathered. Throws as append() does.
    virtual void finish() {}
};

} // namespace velmora::catalogue
