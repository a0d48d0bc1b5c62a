#pragma once

#include <QString>
#include <QStringList>

namespace velmora::catalogue {

struct SqlDialect;

// The SQL texts a table component runs on one catalogue table, built from the
// driver's dialect, the table's name and its key field. Column lists are the
// table's columns as the cursor read them; an order is an index field list,
// split. Every value is a placeholder, bound by the cursor in the order the
// text names them.
class TableStatements {
public:
    TableStatements(const SqlDialect& dialect, QString table, QString keyField);

    QString probeColumns() const;                    // no rows, only the columns
    QString deleteAllRows() const;

    QString selectByKey(const QStringList& columns) const;                              // binds the key
    QString selectFirst(const QStringList& columns, const QStringList& order) const;
    QString selectLast(const QStringList& columns, const QStringList& order) const;
    // The first row whose leading keyFields index fields are equal to or greater
    // than the values bound (one per key field).
    QString selectNearest(const QStringList& columns, const QStringList& order, int keyFields) const;

    // Binds the assigned columns' values; returns the new key where the dialect can.
    QString insertRow(const QStringList& assigned) const;
    QString latestKey() const;                       // fallback for a driver that reports no key
    // Binds the assigned columns' values, the key of the row read, then the
    // assigned columns' values as read: no row is updated when one has changed.
    QString updateRow(const QStringList& assigned) const;

private:
    QString selectOrdered(const QStringList& columns, const QString& condition, const QStringList& order,
                          bool descending) const;

    const SqlDialect* dialect_;
    QString table_;
    QString key_;
};

} // namespace velmora::catalogue
