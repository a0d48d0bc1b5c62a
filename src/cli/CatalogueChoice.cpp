#include "cli/CatalogueChoice.h"

#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/PostgresConnection.h"
#include "cli/Command.h"

namespace velmora::cli {

catalogue::AliasRegistry catalogueRegistry(const CommandContext& context)
{
    if (!context.catalogue)
        return catalogue::AliasRegistry();
    return catalogue::AliasRegistry::fixed(catalogue::catalogueNamedBy(*context.catalogue));
}

QString catalogueOptionMistake(const QString& value)
{
    if (value.isEmpty())
        return QStringLiteral("--catalogue needs the path of a catalogue file, a PostgreSQL URI or libpq keywords");
    try {
        catalogue::catalogueNamedBy(value);
    } catch (const catalogue::CatalogueError& error) {
        return QStringLiteral("--catalogue: %1").arg(QString::fromUtf8(error.what()));
    }
    return {};
}

void refuseStoredPassword(const catalogue::AliasEntry& entry, const QString& written)
{
    if (!entry.password.isEmpty())
        throw catalogue::CatalogueError(QStringLiteral("a password is never written to the alias file; "
                                                       "keep it in ~/.pgpass or PGPASSWORD and leave it out of '%1'")
                                            .arg(written));
}

} // namespace velmora::cli
