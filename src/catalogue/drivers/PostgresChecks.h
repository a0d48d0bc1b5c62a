#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace velmora::catalogue {

// What PostgreSQL's own checks find wrong with the catalogue: the amcheck
// extension's verify_heapam on each table and bt_index_check (every table row
// in the index too) on each of its B-tree indexes.
struct PostgresCheckReport {
    bool ran = false;         // false: amcheck could not be used, unavailable says why
    QString unavailable;
    int tables = 0;
    int indexes = 0;
    QStringList findings;     // empty when nothing is wrong
};

// Runs in a transaction that is rolled back: where amcheck is not installed it
// is created for the checks only, and the database is left as it was.
PostgresCheckReport runPostgresChecks(const QSqlDatabase& db);

} // namespace velmora::catalogue
