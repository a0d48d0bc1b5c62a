#include "cli/UseCommand.h"

#include <QCommandLineParser>
#include <optional>
#include <ostream>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/drivers/PostgresConnection.h"
#include "cli/CatalogueChoice.h"

namespace velmora::cli {

namespace {

using catalogue::AliasEntry;
using catalogue::AliasRegistry;
using catalogue::CatalogueFile;
namespace names = catalogue::names;

// What the alias names now; an alias file section that names nothing usable counts as none.
std::optional<AliasEntry> currentEntry(const AliasRegistry& registry)
{
    if (!registry.contains(names::Alias))
        return std::nullopt;
    try {
        return registry.lookup(names::Alias);
    } catch (const catalogue::CatalogueError&) {
        return std::nullopt;
    }
}

} // namespace

QString UseCommand::summary() const
{
    return QStringLiteral("point the alias Corvane at another catalogue, creating it if absent");
}

QString UseCommand::description() const
{
    return QStringLiteral(
        "Points the alias Corvane in ${XDG_CONFIG_HOME:-~/.config}/velmora/aliases.ini at another catalogue: an "
        "SQLite file, or a PostgreSQL database. A catalogue that is not there yet is created as init creates it (in "
        "an existing PostgreSQL database: its tables); one that is there is checked and kept as it is. No data is "
        "copied, and the catalogue the alias named before is never deleted: 'use' with its name switches back. "
        "The window reads the alias each time it becomes active, so a switch reaches it at its next activation.");
}

QList<CommandArgument> UseCommand::arguments() const
{
    return {{QStringLiteral("CATALOGUE"),
             QStringLiteral("The catalogue's file, or a PostgreSQL URI (postgresql://USER@HOST:PORT/DATABASE) or "
                            "libpq keywords (\"host=HOST dbname=DATABASE\"); ./NAME for a file whose name holds '='. "
                            "A password stays out: ~/.pgpass or PGPASSWORD supply it.")}};
}

int UseCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    if (context.catalogue)
        return fail(context, QStringLiteral("--catalogue names a catalogue for one call, 'use' names the alias's "
                                            "own; give the catalogue after 'use' only"));
    const QString value = parser.positionalArguments().first();
    if (value.isEmpty())
        return fail(context, QStringLiteral("CATALOGUE is empty"));
    try {
        const AliasEntry target = catalogue::catalogueNamedBy(value);
        refuseStoredPassword(target, value);
        AliasRegistry registry;
        const std::optional<AliasEntry> before = currentEntry(registry);
        const CatalogueFile::Outcome outcome = CatalogueFile::ensure(target);
        const std::string label = target.label().toStdString();
        if (outcome == CatalogueFile::Outcome::Created)
            context.out << "Created the catalogue " << label << '\n';
        if (before && before->namesSameCatalogue(target)) {
            context.out << "The alias " << names::Alias.toStdString() << " names the catalogue " << label
                        << " already; nothing changed\n";
            return 0;
        }
        registry.registerAlias(names::Alias, target);
        context.out << "The alias " << names::Alias.toStdString() << " in " << registry.filePath().toStdString()
                    << " now names the catalogue " << label;
        if (before)
            context.out << "; " << before->label().toStdString() << " is kept as it was";
        context.out << '\n';
        return 0;
    } catch (const catalogue::CatalogueError& error) {
        return fail(context, QString::fromUtf8(error.what()));
    }
}

} // namespace velmora::cli
