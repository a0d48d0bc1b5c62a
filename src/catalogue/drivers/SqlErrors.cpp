#include "catalogue/drivers/SqlErrors.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <cstring>

#include "catalogue/drivers/OpenConnections.h"

namespace velmora::catalogue {

namespace {

// One failure as every path sees it.
struct Failure {
    QString message;   // the engine's words
    CatalogueFault fault = CatalogueFault::Failed;
    sqlite3* sqlite = nullptr;
    pg_conn* postgres = nullptr;
};

sqlite3* sqliteOf(const QSqlDriver* driver)
{
    const QVariant handle = driver ? driver->handle() : QVariant();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

pg_conn* postgresOf(const QSqlDriver* driver)
{
    const QVariant handle = driver ? driver->handle() : QVariant();
    // Qt registers the type under libpq's struct name (Qt 6.4) or its typedef.
    if (!handle.isValid() || (std::strcmp(handle.typeName(), "pg_conn*") != 0 &&
                              std::strcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<pg_conn* const*>(handle.constData());
}

// libpq explains a closed connection over several lines; the first says it.
QString firstLine(const QString& message)
{
    const QString line = message.section(QLatin1Char('\n'), 0, 0).trimmed();
    return line.isEmpty() || line == QStringLiteral("unknown database error") ? QStringLiteral("no connection to the server")
                                                                               : line;
}

CatalogueError errorFor(const QString& context, Failure failure)
{
    if (failure.sqlite) {
        // A file deleted or renamed under the open connection shows as odd
        // errors, or none until a write: its identity tells.
        const FileFate fate = fileFate(failure.sqlite);
        if (fate != FileFate::Same)
            return CatalogueError::gone(context, filePath(failure.sqlite), fate == FileFate::Replaced);
    }
    if (failure.postgres && PQstatus(failure.postgres) == CONNECTION_BAD)
        failure.fault = CatalogueFault::ConnectionLost;
    switch (failure.fault) {
    case CatalogueFault::Damaged:
        return CatalogueError::damaged(context, failure.message);
    case CatalogueFault::Locked:
        return CatalogueError::locked(context, lockWaited(failure.sqlite ? static_cast<const void*>(failure.sqlite)
                                                                        : failure.postgres));
    case CatalogueFault::ReadOnly:
        return CatalogueError::readOnly(context, failure.message);
    case CatalogueFault::Gone:
        // Moved, yet where it was is the same file: it was renamed there again.
        return CatalogueError::readOnly(context, failure.message);
    case CatalogueFault::ConnectionLost:
        return CatalogueError::connectionLost(context, firstLine(failure.message));
    case CatalogueFault::Missing:
        return CatalogueError(context + QStringLiteral(": ") + failure.message, CatalogueFault::Missing,
                             failure.message);
    case CatalogueFault::Failed:
        break;
    }
    return CatalogueError(context + QStringLiteral(": ") + failure.message);
}

} // namespace

CatalogueFault sqliteFault(int code)
{
    switch (code) {
    case SQLITE_READONLY_DBMOVED:
        return CatalogueFault::Gone;
    case SQLITE_IOERR_SHORT_READ:   // a page past the file's end
        return CatalogueFault::Damaged;
    default:
        break;
    }
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return CatalogueFault::Damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return CatalogueFault::Locked;
    case SQLITE_READONLY:
        return CatalogueFault::ReadOnly;
    default:
        return CatalogueFault::Failed;
    }
}

CatalogueFault postgresFault(const QString& sqlstate)
{
    if (sqlstate.size() != 5)
        return CatalogueFault::Failed;
    if (sqlstate.startsWith(QStringLiteral("08")))   // connection exception
        return CatalogueFault::ConnectionLost;
    static const struct {
        const char* sqlstate;
        CatalogueFault fault;
    } codes[] = {
        {"57P01", CatalogueFault::ConnectionLost},   // admin_shutdown
        {"57P02", CatalogueFault::ConnectionLost},   // crash_shutdown
        {"57P03", CatalogueFault::ConnectionLost},   // cannot_connect_now
        {"55P03", CatalogueFault::Locked},           // lock_not_available: lock_timeout ran out
        {"XX001", CatalogueFault::Damaged},          // data_corrupted
        {"XX002", CatalogueFault::Damaged},          // index_corrupted
        {"25006", CatalogueFault::ReadOnly},         // read_only_sql_transaction
        {"3D000", CatalogueFault::Missing},          // invalid_catalog_name: no such database
    };
    for (const auto& entry : codes)
        if (sqlstate == QLatin1String(entry.sqlstate))
            return entry.fault;
    return CatalogueFault::Failed;
}

QString driverMessage(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    return text;
}

bool saysConnectionLost(const QString& libpqMessage)
{
    return libpqMessage.contains(QStringLiteral("server closed the connection unexpectedly")) ||
           libpqMessage.contains(QStringLiteral("no connection to the server")) ||
           libpqMessage.contains(QStringLiteral("terminating connection due to"));
}

CatalogueError sqlError(const QString& context, const QSqlError& error, const QSqlDriver* driver)
{
    Failure failure;
    failure.message = driverMessage(error);
    failure.sqlite = sqliteOf(driver);
    failure.postgres = postgresOf(driver);
    const QString code = error.nativeErrorCode();
    const bool onSqlite = failure.sqlite || (driver && driver->dbmsType() == QSqlDriver::SQLite);
    const bool onPostgres = failure.postgres || (driver && driver->dbmsType() == QSqlDriver::PostgreSQL);
    bool isNumber = false;
    const int number = code.toInt(&isNumber);
    if (onSqlite && isNumber)
        failure.fault = sqliteFault(number);
    else if (onPostgres || (!onSqlite && !isNumber))
        failure.fault = postgresFault(code);
    else if (isNumber)
        failure.fault = sqliteFault(number);
    // Errors that come without a code: libpq's own about the connection, and
    // (from drivers that give none) SQLite's words for a damaged file.
    if (failure.fault == CatalogueFault::Failed && code.isEmpty()) {
        if (saysConnectionLost(failure.message))
            failure.fault = CatalogueFault::ConnectionLost;
        else if (!onPostgres && (failure.message.contains(QStringLiteral("malformed")) ||
                                 failure.message.contains(QStringLiteral("not a database"))))
            failure.fault = CatalogueFault::Damaged;
    }
    return errorFor(context, failure);
}

void throwSqlError(const QString& context, const QSqlError& error, const QSqlDriver* driver)
{
    throw sqlError(context, error, driver);
}

void throwIfFileGone(const QString& context, const QSqlDriver* driver)
{
    sqlite3* connection = sqliteOf(driver);
    if (!connection)
        return;
    const FileFate fate = fileFate(connection);
    if (fate != FileFate::Same)
        throw CatalogueError::gone(context, filePath(connection), fate == FileFate::Replaced);
}

void throwSqlError(const QString& context, const QSqlQuery& query)
{
    throwSqlError(context, query.lastError(), query.driver());
}

void throwSqlError(const QString& context, const QSqlDatabase& db)
{
    throwSqlError(context, db.lastError(), db.driver());
}

void throwSqliteError(const QString& context, sqlite3* connection, int code)
{
    Failure failure;
    // The same words as the Qt SQL driver reports: the engine's message.
    failure.message = QString::fromUtf8(sqlite3_errmsg(connection));
    failure.fault = sqliteFault(code);
    failure.sqlite = connection;
    throw errorFor(context, failure);
}

void throwPostgresError(const QString& context, pg_conn* connection, const pg_result* result)
{
    Failure failure;
    // The same words as the Qt SQL driver reports: libpq's message.
    failure.message = QString::fromUtf8(PQerrorMessage(connection)).trimmed();
    if (failure.message.isEmpty())
        failure.message = QStringLiteral("unknown database error");
    const char* sqlstate = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    failure.fault = sqlstate ? postgresFault(QString::fromLatin1(sqlstate)) : CatalogueFault::Failed;
    if (failure.fault == CatalogueFault::Failed && saysConnectionLost(failure.message))
        failure.fault = CatalogueFault::ConnectionLost;
    failure.postgres = connection;
    throw errorFor(context, failure);
}

} // namespace velmora::catalogue
