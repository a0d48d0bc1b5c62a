#include "catalogue/drivers/RowAppenderFactory.h"

#include "catalogue/Database.h"
#include "catalogue/drivers/PostgresRowAppender.h"
#include "catalogue/drivers/QtSqlRowAppender.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqliteRowAppender.h"

namespace velmora::catalogue {

std::unique_ptr<RowAppender> openRowAppender(Database& database, const QString& table, const QString& keyField,
                                             const QStringList& columns, std::size_t rowCount)
{
    const QSqlDatabase db = database.handle();
    if (sqlite3* connection = SqliteRowAppender::nativeHandle(db))
        return std::make_unique<SqliteRowAppender>(connection, table, columns);
    if (pg_conn* connection = libpqConnection(db))
        return std::make_unique<PostgresRowAppender>(connection, table, keyField, columns, rowCount);
    return std::make_unique<QtSqlRowAppender>(db, table, keyField, columns);
}

} // namespace velmora::catalogue
