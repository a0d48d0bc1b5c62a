#include "cli/ClearCommand.h"

#include <QCommandLineParser>
#include <cctype>
#include <istream>
#include <ostream>
#include <string>

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Clearing.h"
#include "catalogue/Query.h"

namespace velmora::cli {

namespace {

namespace names = catalogue::names;

const QCommandLineOption YesOption(QStringLiteral("yes"),
                                   QStringLiteral("Clear without asking; needed where standard input is no terminal "
                                                  "(a script, a pipe)."));

long long rowCount(catalogue::Database& database, const QString& table)
{
    catalogue::Query query(database);
    query.addLine(QStringLiteral(" select count(*) as Row_Count from %1 ").arg(table));
    query.open();
    const long long count = query.fieldAsInteger(QStringLiteral("Row_Count"));
    query.close();
    return count;
}

// "its 14 structures, 40 members and 12 flags"
QString contents(catalogue::Database& database)
{
    return QStringLiteral("its %1 structures, %2 members and %3 flags")
        .arg(rowCount(database, names::StructuresTable))
        .arg(rowCount(database, names::MembersTable))
        .arg(rowCount(database, names::FlagsTable));
}

bool saysYes(std::string answer)
{
    for (char& c : answer)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return answer == "y" || answer == "yes";
}

} // namespace

QString ClearCommand::description() const
{
    return QStringLiteral("Empties the structure, member and flag tables of the catalogue in one transaction: all "
                          "three or, when anything fails, none. The foundation classes stay. Says how many rows "
                          "went.\n"
                          "On a terminal it first names the catalogue and what it would remove, and clears only "
                          "when the answer is y. Where standard input is no terminal it clears only with --yes.");
}

QList<QCommandLineOption> ClearCommand::options() const
{
    return {YesOption};
}

QString ClearCommand::exitStatus() const
{
    return QStringLiteral("0 cleared, 1 the answer was not y (nothing cleared), 2 the command could not run "
                          "(also: no terminal to ask on and no --yes).");
}

int ClearCommand::runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context)
{
    catalogue::CatalogueTables& tables = catalogue.tables;
    if (!parser.isSet(YesOption)) {
        const QString what =
            QStringLiteral("the catalogue %1 with %2").arg(catalogue.entry.label(), contents(tables.database));
        if (!context.inIsTerminal)
            return fail(context, QStringLiteral("standard input is no terminal to ask on, and clearing removes "
                                                "data for good; 'velmora-cli clear --yes' empties %1")
                                     .arg(what));
        context.err << "Empty " << what.toStdString() << "? [y/N] " << std::flush;
        std::string answer;
        std::getline(context.in, answer);
        if (!saysYes(answer)) {
            context.err << "Nothing was cleared\n";
            return 1;
        }
    }
    const catalogue::ClearedRows removed =
        catalogue::clearCatalogueTables(tables.database, tables.structures, tables.members, tables.flags);
    context.out << "Cleared the catalogue: " << removed.structures << " structures, " << removed.members
                << " members, " << removed.flags << " flags removed\n";
    return 0;
}

} // namespace velmora::cli
