#include "catalogue/drivers/SqlConnection.h"

#include <QFileInfo>
#include <algorithm>
#include <QSqlDriver>
#include <QSqlQuery>
#include <chrono>
#include <map>
#include <memory>
#include <libpq-fe.h>
#include <sqlite3.h>

#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

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

// One wait for another process's lock per connection, up to the busy timeout
// in all: SQLite's own timeout starts again at every statement, so a command
// of several statements on a locked catalogue would wait several times over.
class LockWait {
public:
    explicit LockWait(int timeoutMs) : timeout_(timeoutMs) {}

    static int OnBusy(void* self, int /*attempt*/)
    {
        auto& wait = *static_cast<LockWait*>(self);
        const auto now = std::chrono::steady_clock::now();
        if (!wait.started_) {
            wait.started_ = true;
            wait.deadline_ = now + wait.timeout_;
        }
        if (now >= wait.deadline_)
            return 0;   // give up: the statement fails with "database is locked"
        sqlite3_sleep(10);
        return 1;
    }

private:
    std::chrono::milliseconds timeout_;
    bool started_ = false;
    std::chrono::steady_clock::time_point deadline_;
};

std::map<QString, std::unique_ptr<LockWait>>& lockWaits()
{
    static std::map<QString, std::unique_ptr<LockWait>> waits;
    return waits;
}

void waitForLocksOnce(QSqlDatabase& db, const QString& connectionName, int busyTimeoutMs)
{
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    sqlite3* connection = *static_cast<sqlite3* const*>(handle.constData());
    if (!connection)
        return;
    auto& wait = lockWaits()[connectionName];
    wait = std::make_unique<LockWait>(busyTimeoutMs);
    sqlite3_busy_handler(connection, &LockWait::OnBusy, wait.get());
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
            waitForLocksOnce(db, connectionName, busyTimeoutMs);
            for (const QString& statement : dialect.afterOpen)
                QSqlQuery(db).exec(statement);
            return db;
        }
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throwSqlError(QStringLiteral("Cannot open the catalogue %1").arg(entry.label()), error);
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
    if (qstrcmp(db.driverName().toLatin1().constData(), "QPSQL") != 0)
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
            throwSqlError(QStringLiteral("Cannot read the catalogue file %1").arg(db.databaseName()),
                          query.lastError());
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
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
    lockWaits().erase(connectionName);
}

} // namespace velmora::catalogue
