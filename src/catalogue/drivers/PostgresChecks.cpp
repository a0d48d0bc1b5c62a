#include "catalogue/drivers/PostgresChecks.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "catalogue/CatalogueSchema.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

namespace {

// SQLSTATE 42501: the user may not create the extension or run its functions.
bool deniedToUser(const QSqlError& error)
{
    return error.nativeErrorCode() == QStringLiteral("42501");
}

// The server's message on one line, without its "ERROR:" severity.
QString serverMessage(const QSqlError& error)
{
    QString text = driverMessage(error).simplified();
    if (text.startsWith(QStringLiteral("ERROR: ")))
        text.remove(0, 7);
    return text;
}

class AmcheckRun {
public:
    explicit AmcheckRun(const QSqlDatabase& db) : db_(db), query_(db) {}

    // The schema that holds amcheck, created for this transaction when missing;
    // empty with report.unavailable set when it cannot be had.
    QString extensionSchema(PostgresCheckReport& report)
    {
        const QString find = QStringLiteral(
            "SELECT n.nspname FROM pg_extension e JOIN pg_namespace n ON n.oid = e.extnamespace "
            "WHERE e.extname = 'amcheck'");
        if (query_.exec(find) && query_.next())
            return query_.value(0).toString();
        if (!query_.exec(QStringLiteral("CREATE EXTENSION amcheck"))) {
            report.unavailable = serverMessage(query_.lastError());
            return {};
        }
        if (query_.exec(find) && query_.next())
            return query_.value(0).toString();
        report.unavailable = serverMessage(query_.lastError());
        return {};
    }

    // False when the user may not run the checks; what they find goes to report.
    // A missing table is left to the schema check.
    bool checkTable(const QString& amcheck, const QString& table, PostgresCheckReport& report)
    {
        query_.prepare(QStringLiteral("SELECT to_regclass(?) IS NOT NULL"));
        query_.addBindValue(table);
        if (!run(table, report))
            return false;
        if (!query_.next() || !query_.value(0).toBool())
            return true;

        query_.prepare(QStringLiteral(
            "SELECT blkno, offnum, msg FROM %1.verify_heapam(to_regclass(?), check_toast => true)")
                           .arg(quoted(amcheck)));
        query_.addBindValue(table);
        if (!run(table, report))
            return false;
        while (query_.next())
            report.findings << QStringLiteral("%1: block %2, item %3: %4")
                                   .arg(table, query_.value(0).toString(), query_.value(1).toString(),
                                        query_.value(2).toString());
        ++report.tables;

        query_.prepare(QStringLiteral(
            "SELECT i.indexrelid::regclass::text FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid "
            "JOIN pg_am a ON a.oid = c.relam WHERE i.indrelid = to_regclass(?) AND a.amname = 'btree' "
            "ORDER BY 1"));
        query_.addBindValue(table);
        if (!run(table, report))
            return false;
        QStringList indexes;
        while (query_.next())
            indexes << query_.value(0).toString();
        for (const QString& index : indexes) {
            query_.prepare(QStringLiteral("SELECT %1.bt_index_check(to_regclass(?), true)").arg(quoted(amcheck)));
            query_.addBindValue(index);
            if (!run(index, report))
                return false;
            ++report.indexes;
        }
        return true;
    }

private:
    static QString quoted(const QString& identifier)
    {
        return QLatin1Char('"') + QString(identifier).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
               QLatin1Char('"');
    }

    // Runs the prepared check in a savepoint of its own, so that a check that
    // fails on damage leaves the transaction usable for the next one.
    bool run(const QString& subject, PostgresCheckReport& report)
    {
        QSqlQuery savepoint(db_);
        savepoint.exec(QStringLiteral("SAVEPOINT velmora_check"));
        if (query_.exec())
            return true;
        const QSqlError error = query_.lastError();
        savepoint.exec(QStringLiteral("ROLLBACK TO SAVEPOINT velmora_check"));
        if (deniedToUser(error)) {
            report.unavailable = serverMessage(error);
            return false;
        }
        // A lock or a lost server says nothing of the catalogue: verify ends.
        const CatalogueError fault =
            sqlError(QStringLiteral("Cannot check the catalogue"), error, query_.driver());
        if (fault.fault() == CatalogueFault::Locked ||
            fault.fault() == CatalogueFault::ConnectionLost)
            throw fault;
        report.findings << subject + QStringLiteral(": ") + serverMessage(error);
        return true;
    }

    QSqlDatabase db_;
    QSqlQuery query_;
};

} // namespace

PostgresCheckReport runPostgresChecks(const QSqlDatabase& db)
{
    PostgresCheckReport report;
    QSqlDatabase connection = db;
    if (!connection.transaction()) {
        report.unavailable = serverMessage(connection.lastError());
        return report;
    }
    AmcheckRun checks(connection);
    const QString amcheck = checks.extensionSchema(report);
    report.ran = !amcheck.isEmpty();
    for (const auto& layout : CatalogueSchema::tables()) {
        if (!report.ran)
            break;
        report.ran = checks.checkTable(amcheck, layout.name.toLower(), report);
    }
    connection.rollback();
    if (!report.ran)
        report.findings.clear();
    return report;
}

} // namespace velmora::catalogue
