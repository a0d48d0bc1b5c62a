#include "cli/CatalogueChoice.h"

#include <QFileInfo>

#include "catalogue/CatalogueError.h"
#include "catalogue/PostgresConnection.h"
#include "catalogue/SqlDialect.h"
#include "cli/Command.h"

namespace velmora::cli {

catalogue::AliasRegistry catalogueRegistry(const CommandContext& context)
{
    if (!context.catalogue)
        return catalogue::AliasRegistry();
    if (catalogue::isPostgresUri(*context.catalogue))
        return catalogue::AliasRegistry::fixed(catalogue::parsePostgresConnection(*context.catalogue));
    return catalogue::AliasRegistry::fixed(
        {catalogue::SqlDialect::EmbeddedDriver, QFileInfo(*context.catalogue).absoluteFilePath()});
}

QString catalogueOptionMistake(const QString& value)
{
    if (value.isEmpty())
        return QStringLiteral("--catalogue needs the path of a catalogue file or a postgresql:// URI");
    if (catalogue::isPostgresUri(value)) {
        try {
            catalogue::parsePostgresConnection(value);
        } catch (const catalogue::CatalogueError& error) {
            return QStringLiteral("--catalogue: %1").arg(QString::fromUtf8(error.what()));
        }
    }
    return {};
}

} // namespace velmora::cli
