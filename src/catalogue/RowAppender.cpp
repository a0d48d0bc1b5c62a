#include "catalogue/RowAppender.h"

#include "catalogue/Database.h"
#include "catalogue/QtSqlRowAppender.h"
#include "catalogue/SqliteRowAppender.h"

namespace velmora::catalogue {

std::unique_ptr<RowAppender> RowAppender::open(Database& database, const QString& table, const QString& keyField,
                                               const QStringList& columns)
{
    const QSqlDatabase db = database.handle();
    if (sqlite3* connection = SqliteRowAppender::nativeHandle(db))
        return std::make_unique<SqliteRowAppender>(connection, table, columns);
    return std::make_unique<QtSqlRowAppender>(db, table, keyField, columns);
}

} // namespace velmora::catalogue
