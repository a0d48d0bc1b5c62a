#include "catalogue/SqlConnection.h"

#include <QFileInfo>
#include <QSqlQuery>

#include "catalogue/CatalogueError.h"
#include "catalogue/SqlErrors.h"

namespace velmora::catalogue {

namespace {

const QString EmbeddedDriver = QStringLiteral("QSQLITE");

} // namespace

QSqlDatabase openSqlConnection(const QString& connectionName, const AliasEntry& entry, int busyTimeoutMs,
                               bool mayCreate)
{
    if (!QSqlDatabase::isDriverAvailable(entry.driver))
        throw CatalogueError(QStringLiteral("The database driver %1 is not available (available: %2)")
                                 .arg(entry.driver, QSqlDatabase::drivers().join(QStringLiteral(", "))));
    if (entry.driver == EmbeddedDriver && !mayCreate) {
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
        if (entry.driver == EmbeddedDriver)
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        if (db.open()) {
            if (entry.driver == EmbeddedDriver) {
                // A big import rewrites index pages all over the file; a roomier page
                // cache keeps them in memory until the commit instead of spilling.
                QSqlQuery(db).exec(QStringLiteral("PRAGMA cache_size = -65536"));
            }
            return db;
        }
        const QSqlError error = db.lastError();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throwSqlError(QStringLiteral("Cannot open the catalogue %1").arg(entry.database), error);
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
