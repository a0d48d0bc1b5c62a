#include "cli/InitCommand.h"

#include <QDir>
#include <QFileInfo>
#include <optional>
#include <ostream>

#include "catalogue/AliasRegistry.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueFile.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/SqlDialect.h"

namespace velmora::cli {

namespace {

using catalogue::AliasEntry;
using catalogue::AliasRegistry;
using catalogue::CatalogueError;
using catalogue::CatalogueFile;
namespace names = catalogue::names;

const QString& EmbeddedDriver = catalogue::SqlDialect::EmbeddedDriver;

struct InitArguments {
    std::optional<QString> database;
};

std::optional<InitArguments> parseArguments(const std::vector<std::string>& args)
{
    InitArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        if (args[i] == "--database" && i + 1 < args.size())
            value = args[++i];
        else if (args[i].starts_with("--database="))
            value = args[i].substr(11);
        else
            return std::nullopt;
        if (value.empty() || parsed.database)
            return std::nullopt;
        parsed.database = QFileInfo(QString::fromStdString(value)).absoluteFilePath();
    }
    return parsed;
}

bool samePath(const QString& a, const QString& b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

std::string text(const QString& s)
{
    return s.toStdString();
}

} // namespace

int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const std::optional<InitArguments> parsed = parseArguments(args);
    if (!parsed) {
        err << "usage: velmora-cli init [--database PATH]\n";
        return 2;
    }
    try {
        AliasRegistry registry;
        QString target = parsed->database.value_or(AliasRegistry::defaultCatalogueFilePath());
        const bool aliasPresent = registry.contains(names::Alias);
        if (aliasPresent) {
            // The alias stays as the user has it: init only completes what is missing.
            const AliasEntry entry = registry.lookup(names::Alias);
            if (entry.driver != EmbeddedDriver)
                throw CatalogueError(QStringLiteral("the alias %1 in %2 uses the driver %3; init sets up %4 catalogues only")
                                         .arg(names::Alias, registry.filePath(), entry.driver, EmbeddedDriver));
            if (parsed->database && !samePath(*parsed->database, entry.database))
                throw CatalogueError(QStringLiteral("the alias %1 in %2 already names the catalogue %3; "
                                                    "remove that alias first to use %4")
                                         .arg(names::Alias, registry.filePath(), entry.database, *parsed->database));
            target = entry.database;
        }

        const CatalogueFile::Outcome outcome = CatalogueFile::ensure(target);
        if (!aliasPresent)
            registry.registerAlias(names::Alias, AliasEntry{EmbeddedDriver, target});

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
        err << "velmora-cli init: " << error.what() << '\n';
        return 2;
    }
}

} // namespace velmora::cli
