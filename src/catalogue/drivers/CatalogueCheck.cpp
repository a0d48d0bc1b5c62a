#include "catalogue/drivers/CatalogueCheck.h"

#include <QSqlDatabase>
#include <QSqlQuery>

#include "catalogue/CatalogueConsistency.h"
#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/Database.h"
#include "catalogue/drivers/PostgresChecks.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

namespace {

// A check that failed on damage found it; any other failure (a lock, a lost
// server) says nothing of the catalogue and ends the check.
QString damageOrThrow(const QSqlQuery& query)
{
    const CatalogueError error =
        sqlError(QStringLiteral("Cannot check the catalogue"), query.lastError(), query.driver());
    if (error.fault() != CatalogueFault::Damaged && error.fault() != CatalogueFault::Failed)
        throw error;
    return driverMessage(query.lastError());
}

// What a read of every table runs into; empty when nothing.
QStringList readEveryTable(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    QStringList findings;
    for (const auto& layout : CatalogueSchema::tables())
        if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM %1").arg(layout.name)))
            findings << layout.name + QStringLiteral(": ") + damageOrThrow(query);
    return findings;
}

// The server's own checks where it has them, else a read of every table.
QStringList serverFindings(const QSqlDatabase& db, QString& coverage)
{
    const PostgresCheckReport report = runPostgresChecks(db);
    if (report.ran) {
        coverage = QStringLiteral("The server's amcheck checked %1 tables and %2 indexes.")
                       .arg(report.tables)
                       .arg(report.indexes);
        return report.findings;
    }
    coverage = QStringLiteral("The server's own checks could not run (amcheck: %1); every table was read instead, "
                              "which finds only damage that stops a read.")
                   .arg(report.unavailable);
    return readEveryTable(db);
}

// SQLite's full integrity check.
QStringList integrityFindings(const QSqlDatabase& db)
{
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

// What the engine finds wrong with the catalogue; empty when nothing.
QStringList engineFindings(const QSqlDatabase& db, QString& coverage)
{
    if (db.driverName() == SqlDialect::PostgresDriver)
        return serverFindings(db, coverage);
    if (db.driverName() != SqlDialect::EmbeddedDriver)
        return readEveryTable(db);
    return integrityFindings(db);
}

// Runs one check; damage that stops it is a finding too, any other fault throws.
template <typename Check>
void addFindings(QStringList& findings, Check check)
{
    try {
        for (const QString& finding : check())
            if (!finding.isEmpty())
                findings << finding;
    } catch (const CatalogueError& error) {
        if (error.fault() != CatalogueFault::Damaged)
            throw;
        findings << error.detail();
    }
}

} // namespace

CatalogueCheck checkCatalogue(const Database& database, const QString& label)
{
    CatalogueCheck check;
    try {
        const QSqlDatabase db = database.handle();
        addFindings(check.findings, [&] { return QStringList{fileShortfall(db)}; });
        check.findings << engineFindings(db, check.coverage);
        if (check.findings.isEmpty())
            addFindings(check.findings, [&] {
                const QString missing = CatalogueSchema::missingPart(db, label);
                return missing.isEmpty() ? consistencyFindings(db) : QStringList{missing};
            });
    } catch (const CatalogueError& error) {
        check.stoppedBy = error;
    }
    return check;
}

} // namespace velmora::catalogue
