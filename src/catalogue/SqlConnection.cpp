#include "catalogue/SqlConnection.h"

#include <QFileInfo>
#include <algorithm>
#include <QSqlQuery>

#include "catalogue/CatalogueError.h"
#include "catalogue/SqlDialect.h"
#include "catalogue/SqlErrors.h"

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
            throw CatalogueError(QStringLiteral("The catalogue file %1 does not exist; create it with `velmora-cli init`")
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

void closeSqlConnection(const QString& connectionName)
{
    if (!QSqlDatabase::contains(connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace velmora::catalogue
