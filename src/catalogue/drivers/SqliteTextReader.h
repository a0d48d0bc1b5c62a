#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

struct sqlite3;

namespace velmora::catalogue {

// Reads the columns of a select as texts, straight from SQLite on the
// connection Qt opened: long lists without Qt SQL's value per field. Every text
// reads exactly as Query::fieldAsString reads it through the Qt driver (NULL
// as an empty text), and errors read as Query's do. The statement is finished
// before read returns, so no read lock outlives it.
class SqliteTextReader {
public:
    // Values for named placeholders (":name"); integers and texts.
    using Bindings = QList<std::pair<QString, QVariant>>;

    // nullptr when db's driver is not SQLite: read through Query then.
    static sqlite3* connectionOf(const QSqlDatabase& db);

    // For each of fields (result columns by name, in any letter case as with
    // Query), its texts in row order. A field the result lacks is an error.
    static QList<QStringList> read(sqlite3* connection, const QString& select, const Bindings& bindings,
                                   const QStringList& fields);
};

} // namespace velmora::catalogue
