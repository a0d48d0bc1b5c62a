#include "cli/VerifyCommand.h"

#include <QSqlQuery>
#include <QStringList>
#include <ostream>

#include "catalogue/CatalogueConsistency.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"
#include "catalogue/drivers/PostgresChecks.h"

namespace velmora::cli {

namespace {

namespace names = catalogue::names;

// A check that failed on damage found it; any other failure (a lock, a lost
// server) says nothing of the catalogue and ends verify.
QString damageOrThrow(const QSqlQuery& query)
{
    const catalogue::CatalogueError error =
        catalogue::sqlError(QStringLiteral("Cannot check the catalogue"), query.lastError(), query.driver());
    if (error.fault() != catalogue::CatalogueFault::Damaged && error.fault() != catalogue::CatalogueFault::Failed)
        throw error;
    return catalogue::driverMessage(query.lastError());
}

// What a read of every table runs into; empty when nothing.
QStringList readEveryTable(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    QStringList findings;
    for (const auto& layout : catalogue::CatalogueSchema::tables())
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(layout.name)))
            findings << layout.name + QStringLiteral(": ") + damageOrThrow(query);
    return findings;
}

// The server's own checks where it has them, else a read of every table;
// what was checked goes to out.
QStringList serverFindings(const QSqlDatabase& db, std::ostream& out)
{
    const PostgresCheckReport report = runPostgresChecks(db);
    if (report.ran) {
        out << "The server's amcheck checked " << report.tables << " tables and " << report.indexes
            << " indexes.\n";
        return report.findings;
    }
    out << "The server's own checks could not run (amcheck: " << report.unavailable.toStdString()
        << "); every table was read instead, which finds only damage that stops a read.\n";
    return readEveryTable(db);
}

// What the engine finds wrong with the file; empty when nothing.
QStringList engineFindings(const QSqlDatabase& db, std::ostream& out)
{
    if (db.driverName() == catalogue::SqlDialect::PostgresDriver)
        return serverFindings(db, out);
    if (db.driverName() != catalogue::SqlDialect::EmbeddedDriver)
        return readEveryTable(db);
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA integrity_check")))
        return {damageOrThrow(query)};
    QStringList findings;
    while (query.next())
        findings << query.value(0).toString();
    if (query.lastError().isValid())
        findings << damageOrThrow(query);
    if (findings == QStringList{QStringLiteral("ok")})
        return {};
    return findings;
}

// Runs one of verify's own checks. Damage that stops it is a finding too; any
// other fault (a lock, a lost server) ends verify, since it says nothing of the
// catalogue's soundness.
template <typename Check>
void addFindings(QStringList& findings, Check check)
{
    try {
        for (const QString& finding : check())
            if (!finding.isEmpty())
                findings << finding;
    } catch (const catalogue::CatalogueError& error) {
        if (error.fault() != catalogue::CatalogueFault::Damaged)
            throw;
        findings << error.detail();
    }
}

} // namespace

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
    const catalogue::AliasEntry& entry = catalogue.entry;
    QStringList findings;
    {
        const QSqlDatabase db = catalogue.tables.database.handle();
        addFindings(findings, [&] { return QStringList{catalogue::fileShortfall(db)}; });
        findings << engineFindings(db, out);
        if (findings.isEmpty())
            addFindings(findings, [&] {
                const QString missing = catalogue::CatalogueSchema::missingPart(db, entry.database);
                return missing.isEmpty() ? catalogue::consistencyFindings(db) : QStringList{missing};
            });
    }
    if (findings.isEmpty()) {
        out << "The catalogue " << entry.database.toStdString() << " is sound.\n";
        return 0;
    }
    out << "The catalogue " << entry.database.toStdString() << " is damaged:\n";
    for (const QString& finding : findings)
        out << "  " << finding.toStdString() << '\n';
    QString advice = catalogue::CatalogueError::recoveryAdvice();
    advice[0] = advice[0].toUpper();
    out << advice.toStdString() << ".\n";
    return 1;
}

} // namespace velmora::cli
