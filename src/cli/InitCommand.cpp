#include "cli/InitCommand.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <optional>
#include <ostream>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/drivers/PostgresConnection.h"
#include "catalogue/drivers/SqlDialect.h"
#include "cli/CatalogueChoice.h"

namespace velmora::cli {

namespace {

using catalogue::AliasEntry;
using catalogue::AliasRegistry;
using catalogue::CatalogueError;
using catalogue::CatalogueFile;
namespace names = catalogue::names;


const QCommandLineOption DatabaseOption(QStringLiteral("database"),
                                        QStringLiteral("The catalogue file to create and register (default: "
                                                       "${XDG_DATA_HOME:-~/.local/share}/velmora/corvane.sqlite)."),
                                        QStringLiteral("PATH"));

const QCommandLineOption PostgresOption(QStringLiteral("postgres"),
                                        QStringLiteral("Set up the catalogue in an existing PostgreSQL database instead: "
                                                       "a postgresql:// URI or libpq keywords (host=... dbname=...). "
                                                       "The password comes from ~/.pgpass or PGPASSWORD, never from "
                                                       "the alias file."),
                                        QStringLiteral("URL-OR-KEYWORDS"));

std::string text(const QString& s)
{
    return s.toStdString();
}

// init --postgres: the database exists already; its tables are created once.
int initOnServer(const QString& connection, std::ostream& out)
{
    AliasRegistry registry;
    const AliasEntry server = catalogue::parsePostgresConnection(connection);
    refuseStoredPassword(server, connection);
    const bool aliasPresent = registry.contains(names::Alias);
    if (aliasPresent) {
        const AliasEntry entry = registry.lookup(names::Alias);
        if (!entry.namesSameCatalogue(server))
            throw CatalogueError(QStringLiteral("the alias %1 in %2 already names the catalogue %3; "
                                                "'velmora-cli use %4' points it at the new one")
                                     .arg(names::Alias, registry.filePath(), entry.label(), connection));
    }
    const CatalogueFile::Outcome outcome = CatalogueFile::ensureOnServer(server);
    if (!aliasPresent)
        registry.registerAlias(names::Alias, server);

    const std::string label = text(server.label());
    if (outcome == CatalogueFile::Outcome::Created)
        out << "Created the catalogue " << label << '\n';
    if (!aliasPresent)
        out << "Registered the alias " << text(names::Alias) << " in " << text(registry.filePath()) << '\n';
    if (outcome == CatalogueFile::Outcome::AlreadyPresent && aliasPresent)
        out << "The catalogue " << label << " is already set up under the alias " << text(names::Alias)
            << "; nothing changed\n";
    else if (outcome == CatalogueFile::Outcome::AlreadyPresent)
        out << "The catalogue " << label << " was already there and is kept as it is\n";
    return 0;
}

} // namespace

QString InitCommand::summary() const
{
    return QStringLiteral("create the catalogue if it is absent and register the alias Corvane");
}

QString InitCommand::description() const
{
    return QStringLiteral("Creates the catalogue (tables, indexes and the seven foundation classes) if it is absent "
                          "and registers it under the alias Corvane in ${XDG_CONFIG_HOME:-~/.config}/velmora/aliases.ini. "
                          "Changes nothing that already exists: an existing alias is never pointed elsewhere, an "
                          "existing catalogue is kept as it is. With the global option --catalogue, creates that "
                          "catalogue and leaves the alias alone.");
}

QList<QCommandLineOption> InitCommand::options() const
{
    return {DatabaseOption, PostgresOption};
}

QString InitCommand::exitStatus() const
{
    return QStringLiteral("0 done (or nothing to do), 2 the command could not run.");
}

int InitCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    std::ostream& out = context.out;
    if (context.catalogue && (parser.isSet(DatabaseOption) || parser.isSet(PostgresOption)))
        return fail(context, QStringLiteral("--catalogue names the catalogue already; leave out --database and --postgres"));
    if (parser.isSet(PostgresOption)) {
        if (parser.isSet(DatabaseOption))
            return fail(context, QStringLiteral("--database and --postgres name two different catalogues; give one"));
        try {
            return initOnServer(parser.value(PostgresOption), out);
        } catch (const CatalogueError& error) {
            return fail(context, QString::fromUtf8(error.what()));
        }
    }
    std::optional<QString> database;
    if (parser.isSet(DatabaseOption)) {
        if (parser.value(DatabaseOption).isEmpty())
            return fail(context, QStringLiteral("--database needs a path"));
        database = QFileInfo(parser.value(DatabaseOption)).absoluteFilePath();
    }
    try {
        if (context.catalogue) {
            // A catalogue for calls that name it: the alias stays as it is.
            const AliasEntry entry = catalogueRegistry(context).lookup(names::Alias);
            const CatalogueFile::Outcome outcome = CatalogueFile::ensure(entry);
            if (outcome == CatalogueFile::Outcome::Created)
                out << "Created the catalogue " << text(entry.label()) << '\n';
            else
                out << "The catalogue " << text(entry.label()) << " was already there and is kept as it is\n";
            return 0;
        }
        AliasRegistry registry;
        QString target = database.value_or(AliasRegistry::defaultCatalogueFilePath());
        const bool aliasPresent = registry.contains(names::Alias);
        if (aliasPresent) {
            // The alias stays as the user has it: init only completes what is missing.
            const AliasEntry entry = registry.lookup(names::Alias);
            if (!entry.isFile())
                throw CatalogueError(QStringLiteral("the alias %1 in %2 uses the driver %3; init sets up %4 catalogues only")
                                         .arg(names::Alias, registry.filePath(), entry.driver,
                                              catalogue::SqlDialect::EmbeddedDriver));
            if (database && !entry.namesSameCatalogue(AliasEntry::file(*database)))
                throw CatalogueError(QStringLiteral("the alias %1 in %2 already names the catalogue %3; "
                                                    "'velmora-cli use %4' points it at the new one")
                                         .arg(names::Alias, registry.filePath(), entry.label(), *database));
            target = entry.database;
        }

        const CatalogueFile::Outcome outcome = CatalogueFile::ensure(target);
        if (!aliasPresent)
            registry.registerAlias(names::Alias, AliasEntry::file(target));

        if (outcome == CatalogueFile::Outcome::Created)
            out << "Created the catalogue " << text(target) << '\n';
        if (!aliasPresent)
            out << "Registered the alias " << text(names::Alias) << " in " << text(registry.filePath()) << '\n';
        if (outcome == CatalogueFile::Outcome::AlreadyPresent && aliasPresent)
            out << "The catalogue " << text(target) << " is already set up under the alias " << text(names::Alias)
                << "; nothing changed\n";
        else if (outcome == CatalogueFile::Outcome::AlreadyPresent)
            out << "The catalogue " << text(target) << " was already there and is kept as it is\n";
        return 0;
    } catch (const CatalogueError& error) {
        return fail(context, QString::fromUtf8(error.what()));
    }
}

} // namespace velmora::cli
