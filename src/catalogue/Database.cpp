#include "catalogue/Database.h"

#include <QSqlQuery>
#include <vector>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

namespace {

void execOrThrow(QSqlDatabase db, const QString& statement, const QString& context)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        throwSqlError(context, query);
}

} // namespace

Database::Database(QString aliasName, QString databaseName, AliasRegistry registry)
    : alias_(std::move(aliasName)), name_(std::move(databaseName)), registry_(std::move(registry))
{
}

Database::~Database()
{
    try {
        setConnected(false);
    } catch (...) {
        // nothing sensible to report while going away
    }
    releaseUsers(true);
    users_.clear();
}

void Database::setConnected(bool connected)
{
    // A connection the server broke off is replaced, not kept: connecting
    // again is how the window gets back to work after it.
    if (connected && connected_ && sqlConnectionLost(QSqlDatabase::database(name_, false)))
        setConnected(false);
    if (connected == connected_)
        return;
    if (!connected) {
        releaseUsers(false);
        if (inTransaction_) {
            try {
                rollback();
            } catch (const CatalogueError& error) {
                // the server undoes it: nothing unfinished outlives a lost connection
                if (error.fault() != CatalogueFault::ConnectionLost)
                    throw;
            }
        }
        connected_ = false;
        closeSqlConnection(name_);
        return;
    }
    const AliasEntry entry = registry_.lookup(alias_);
    QSqlDatabase db = openSqlConnection(name_, entry, busyTimeoutMs_);
    try {
        CatalogueSchema::check(db, entry.label());
    } catch (...) {
        db = QSqlDatabase();
        closeSqlConnection(name_);
        throw;
    }
    connected_ = true;
}

void Database::connectForChecking()
{
    if (connected_)
        return;
    openSqlConnection(name_, registry_.lookup(alias_), busyTimeoutMs_);
    connected_ = true;
}

QSqlDatabase Database::handle() const
{
    if (!connected_)
        throw CatalogueError(QStringLiteral("The database %1 is not connected").arg(name_));
    QSqlDatabase db = QSqlDatabase::database(name_, false);
    // Once libpq knows the server is gone, its statements fail without a word of their own.
    if (sqlConnectionLost(db))
        throw CatalogueError::connectionLost(QStringLiteral("Cannot use the catalogue"),
                                             QStringLiteral("no connection to the server"));
    return db;
}

void Database::checkFileStillThere() const
{
    if (connected_)
        throwIfFileGone(QStringLiteral("Cannot use the catalogue"), QSqlDatabase::database(name_, false).driver());
}

void Database::beginTransaction(Writers writers)
{
    QSqlDatabase db = handle();
    if (inTransaction_)
        throw CatalogueError(QStringLiteral("A transaction is already running on %1").arg(name_));
    const SqlDialect& dialect = SqlDialect::forDriver(db.driverName());
    if (!dialect.beginWrite.isEmpty()) {
        execOrThrow(db, dialect.beginWrite, QStringLiteral("Cannot start writing to the catalogue"));
    } else if (!db.transaction()) {
        throwSqlError(QStringLiteral("Cannot start writing to the catalogue"), db);
    }
    inTransaction_ = true;
    if (writers == Writers::OneAtATime && !dialect.oneWriterLock.isEmpty()) {
        try {
            const QString context = QStringLiteral("Cannot start writing to the catalogue");
            QSqlQuery lock(db);
            if (!lock.exec(dialect.oneWriterLock))
                throwSqlError(context, lock);   // the other writer kept it past the timeout: locked
        } catch (...) {
            try {
                rollback();
            } catch (...) {
                // the first error is the one to report
            }
            throw;
        }
    }
}

void Database::commit()
{
    QSqlDatabase db = handle();
    if (!inTransaction_)
        throw CatalogueError(QStringLiteral("No transaction is running on %1").arg(name_));
    const SqlDialect& dialect = SqlDialect::forDriver(db.driverName());
    if (!dialect.commitWrite.isEmpty())
        execOrThrow(db, dialect.commitWrite, QStringLiteral("Cannot write to the catalogue"));
    else if (!db.commit())
        throwSqlError(QStringLiteral("Cannot write to the catalogue"), db);
    inTransaction_ = false;
}

void Database::rollback()
{
    if (!inTransaction_)
        return;
    inTransaction_ = false;
    QSqlDatabase db = handle();
    const SqlDialect& dialect = SqlDialect::forDriver(db.driverName());
    if (!dialect.rollbackWrite.isEmpty())
        execOrThrow(db, dialect.rollbackWrite, QStringLiteral("Cannot undo the unfinished changes"));
    else if (!db.rollback())
        throwSqlError(QStringLiteral("Cannot undo the unfinished changes"), db);
}

void Database::attach(const void* user, std::function<void(bool)> release)
{
    users_[user] = std::move(release);
}

void Database::detach(const void* user)
{
    users_.erase(user);
}

void Database::releaseUsers(bool databaseGone)
{
    // A release may detach users; work on a copy.
    std::vector<std::function<void(bool)>> releases;
    for (const auto& user : users_)
        releases.push_back(user.second);
    for (const auto& release : releases)
        release(databaseGone);
}

} // namespace velmora::catalogue
