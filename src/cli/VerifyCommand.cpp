#include "cli/VerifyCommand.h"

#include <ostream>

#include "catalogue/CatalogueError.h"
#include "catalogue/drivers/CatalogueCheck.h"

namespace velmora::cli {

QString VerifyCommand::description() const
{
    return QStringLiteral("Runs the engine's full check of the catalogue (SQLite's integrity check; on "
                          "PostgreSQL, the amcheck extension's checks of every table and index, or a read of every "
                          "table where amcheck cannot be used) and then checks its tables and fields. Says that the "
                          "catalogue is sound, or prints what is wrong with it and how to recover. Run it when a "
                          "command says that the catalogue is damaged.");
}

QString VerifyCommand::exitStatus() const
{
    return QStringLiteral("0 the catalogue is sound, 1 it is damaged, 2 the command could not run.");
}

int VerifyCommand::runOn(OpenCatalogue& catalogue, const QCommandLineParser&, CommandContext& context)
{
    std::ostream& out = context.out;
    const std::string name = catalogue.entry.database.toStdString();
    const catalogue::CatalogueCheck check =
        catalogue::checkCatalogue(catalogue.tables.database, catalogue.entry.database);
    if (!check.coverage.isEmpty())
        out << check.coverage.toStdString() << '\n';
    if (check.stoppedBy)
        throw *check.stoppedBy;
    if (check.findings.isEmpty()) {
        out << "The catalogue " << name << " is sound.\n";
        return 0;
    }
    out << "The catalogue " << name << " is damaged:\n";
    for (const QString& finding : check.findings)
        out << "  " << finding.toStdString() << '\n';
    QString advice = catalogue::CatalogueError::recoveryAdvice();
    advice[0] = advice[0].toUpper();
    out << advice.toStdString() << ".\n";
    return 1;
}

} // namespace velmora::cli
