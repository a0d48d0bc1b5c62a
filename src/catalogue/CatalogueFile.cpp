#include "catalogue/CatalogueFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqlDialect.h"

namespace velmora::catalogue {

namespace {

const QString SetupConnection = QStringLiteral("velmora-catalogue-setup");

// Closes the set-up connection however the work ends.
class SetupConnectionScope {
public:
    explicit SetupConnectionScope(const AliasEntry& entry) : db_(openSqlConnection(SetupConnection, entry, 5000, true))
    {
    }
    ~SetupConnectionScope()
    {
        db_ = QSqlDatabase();
        closeSqlConnection(SetupConnection);
    }
    SetupConnectionScope(const SetupConnectionScope&) = delete;
    SetupConnectionScope& operator=(const SetupConnectionScope&) = delete;
    QSqlDatabase& db() { return db_; }

private:
    QSqlDatabase db_;
};

} // namespace

CatalogueFile::Outcome CatalogueFile::ensure(const QString& path)
{
    const QFileInfo file(path);
    const bool existed = file.exists();
    if (existed && !file.isFile())
        throw CatalogueError(QStringLiteral("%1 exists and is not a file").arg(path));
    if (!existed && !QDir().mkpath(file.absolutePath()))
        throw CatalogueError(QStringLiteral("Cannot create the folder %1").arg(file.absolutePath()));

    try {
        SetupConnectionScope connection(AliasEntry::file(path));
        if (existed && !CatalogueSchema::isBlank(connection.db())) {
            CatalogueSchema::check(connection.db(), path);
            return Outcome::AlreadyPresent;
        }
        CatalogueSchema::create(connection.db());
        return Outcome::Created;
    } catch (...) {
        if (!existed) {
            QFile::remove(path);
            QFile::remove(path + QStringLiteral("-journal"));
        }
        throw;
    }
}

CatalogueFile::Outcome CatalogueFile::ensureOnServer(const AliasEntry& server)
{
    SetupConnectionScope connection(server);
    if (!CatalogueSchema::isBlank(connection.db())) {
        CatalogueSchema::check(connection.db(), server.label());
        return Outcome::AlreadyPresent;
    }
    CatalogueSchema::create(connection.db());
    return Outcome::Created;
}

CatalogueFile::Outcome CatalogueFile::ensure(const AliasEntry& catalogue)
{
    return catalogue.isFile() ? ensure(catalogue.database) : ensureOnServer(catalogue);
}

} // namespace velmora::catalogue
