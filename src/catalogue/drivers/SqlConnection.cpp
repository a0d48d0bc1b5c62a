#include "catalogue/drivers/SqlConnection.h"

#include <QFileInfo>
#include <algorithm>
#include <QSqlDriver>
#include <QSqlQuery>
#include <libpq-fe.h>
#include <sqlite3.h>

#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/OpenConnections.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"
#include "catalogue/drivers/SqliteRowAppender.h"

namespace velmora::catalogue {

namespace {

// What libpq needs beyond the database name; empty values leave libpq's
// defaults and PG* environment variables in charge, a password only when given
// for this call (~/.pgpass and PGPASSWORD otherwise).
void setServer(QSqlDatabase& db, const AliasEntry& entry, int busyTimeoutMs)
{
    // A server that does not answer fails within seconds, not minutes.
    db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(std::max(1, busyTimeoutMs / 1000)));
    if (!entry.host.isEmpty())
        db.setHostName(entry.host);
    if (entry.port != 0)
        db.setPort(entry.port);
    if (!entry.user.isEmpty())
        db.setUserName(entry.user);
    if (!entry.password.isEmpty())
        db.setPassword(entry.password);
}

// What the classification of its errors needs to know of the connection.
void watch(QSqlDatabase& db, const AliasEntry& entry, int busyTimeoutMs)
{
    if (sqlite3* connection = SqliteRowAppender::nativeHandle(db))
        watchSqliteConnection(connection, entry.database, busyTimeoutMs);
    else if (pg_conn* connection = libpqConnection(db))
        watchPostgresConnection(connection, busyTimeoutMs);
}

} // namespace

QSqlDatabase openSqlConnection(const QString& connectionName, const AliasEntry& entry, int busyTimeoutMs,
                               bool mayCreate)
{
    if (!QSqlDatabase::isDriverAvailable(entry.driver))
        throw CatalogueError(QStringLiteral("The database driver %1 is not available (available: %2)")
                                 .arg(entry.driver, QSqlDatabase::drivers().join(QStringLiteral(", "))));
    const SqlDialect& dialect = SqlDialect::forDriver(entry.driver);
    if (dialect.databaseIsFile && !mayCreate) {
        // SQLite would quietly create an empty file in its place.
        const QFileInfo file(entry.database);
        if (!file.exists())
            throw CatalogueError::missing(
                QStringLiteral("The catalogue file %1 does not exist; create it with `velmora-cli init`")
                    .arg(entry.database));
        if (!file.isFile())
            throw CatalogueError(QStringLiteral("The catalogue %1 is not a file").arg(entry.database));
    }
    if (QSqlDatabase::contains(connectionName))
        QSqlDatabase::removeDatabase(connectionName);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(entry.driver, connectionName);
        db.setDatabaseName(entry.database);
        db.setConnectOptions(dialect.connectOptions(busyTimeoutMs));
        if (!dialect.databaseIsFile)
            setServer(db, entry, busyTimeoutMs);
        if (db.open()) {
            watch(db, entry, busyTimeoutMs);
            for (const QString& statement : dialect.afterOpen)
                QSqlQuery(db).exec(statement);
            return db;
        }
        const QSqlError error = db.lastError();
        const bool onServer = !dialect.databaseIsFile;
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        const QString context = QStringLiteral("Cannot open the catalogue %1").arg(entry.label());
        // libpq gives no SQLSTATE for a refused connection: its words are all there is.
        if (onServer && driverMessage(error).contains(QStringLiteral("database \"%1\" does not exist").arg(entry.database)))
            throw CatalogueError::missing(QStringLiteral("%1: the database %2 does not exist on the server; create it, "
                                                         "then set it up with `velmora-cli init --postgres`")
                                              .arg(context, entry.database));
        throwSqlError(context, error);
    }
}

pg_conn* libpqConnection(const QSqlDatabase& db)
{
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    // Qt registers the type under libpq's struct name (Qt 6.4) or its typedef.
    if (!handle.isValid() || (qstrcmp(handle.typeName(), "pg_conn*") != 0 && qstrcmp(handle.typeName(), "PGconn*") != 0))
        return nullptr;
    return *static_cast<pg_conn* const*>(handle.constData());
}

bool sqlConnectionLost(const QSqlDatabase& db)
{
    if (!db.isOpen())
        return true;
    if (db.driverName() != SqlDialect::PostgresDriver)
        return false;
    pg_conn* connection = libpqConnection(db);
    return connection == nullptr || PQstatus(connection) == CONNECTION_BAD;
}

QString fileShortfall(const QSqlDatabase& db)
{
    if (!SqlDialect::of(db).databaseIsFile)
        return {};
    const auto run = [&](QSqlQuery& query, const QString& statement) {
        if (!query.exec(statement))
            throwSqlError(QStringLiteral("Cannot read the catalogue file %1").arg(db.databaseName()), query);
        return query.next() ? query.value(0).toLongLong() : 0;
    };
    // The read transaction holds the file still between the header and the size.
    QSqlQuery query(db);
    run(query, QStringLiteral("BEGIN"));
    qint64 pages = 0, pageSize = 0, size = 0;
    try {
        pages = run(query, QStringLiteral("PRAGMA page_count"));
        pageSize = run(query, QStringLiteral("PRAGMA page_size"));
        size = QFileInfo(db.databaseName()).size();
    } catch (...) {
        query.exec(QStringLiteral("ROLLBACK"));
        throw;
    }
    run(query, QStringLiteral("COMMIT"));
    if (size >= pages * pageSize)
        return {};
    return QStringLiteral("the file is %1 bytes long, but its header says it holds %2 pages of %3 bytes: it was cut "
                          "short")
        .arg(size)
        .arg(pages)
        .arg(pageSize);
}

void closeSqlConnection(const QString& connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (sqlite3* connection = SqliteRowAppender::nativeHandle(db))
            forgetConnection(connection);
        else if (pg_conn* connection = libpqConnection(db))
            forgetConnection(connection);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace velmora::catalogue
