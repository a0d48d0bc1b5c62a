#include "catalogue/TableStatements.h"

#include "catalogue/drivers/SqlDialect.h"

namespace velmora::catalogue {

namespace {

const QString Comma = QStringLiteral(", ");

QString placeholders(qsizetype count)
{
    QStringList marks;
    for (qsizetype i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(Comma);
}

QString orderClause(const QStringList& order, bool descending)
{
    QStringList terms;
    for (const QString& field : order)
        terms << (descending ? field + QStringLiteral(" DESC") : field);
    return terms.join(Comma);
}

} // namespace

TableStatements::TableStatements(const SqlDialect& dialect, QString table, QString keyField)
    : dialect_(&dialect), table_(std::move(table)), key_(std::move(keyField))
{
}

QString TableStatements::probeColumns() const
{
    return QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(table_);
}

QString TableStatements::deleteAllRows() const
{
    return QStringLiteral("DELETE FROM %1").arg(table_);
}

QString TableStatements::selectByKey(const QStringList& columns) const
{
    return QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(columns.join(Comma), table_, key_);
}

QString TableStatements::selectOrdered(const QStringList& columns, const QString& condition,
                                       const QStringList& order, bool descending) const
{
    const QString where = condition.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition;
    return QStringLiteral("SELECT %1 FROM %2%3 ORDER BY %4 LIMIT 1")
        .arg(columns.join(Comma), table_, where, orderClause(order, descending));
}

QString TableStatements::selectFirst(const QStringList& columns, const QStringList& order) const
{
    return selectOrdered(columns, QString(), order, false);
}

QString TableStatements::selectLast(const QStringList& columns, const QStringList& order) const
{
    return selectOrdered(columns, QString(), order, true);
}

QString TableStatements::selectNearest(const QStringList& columns, const QStringList& order, int keyFields) const
{
    const QStringList leading = order.mid(0, keyFields);
    const QString condition = keyFields == 1
        ? leading.first() + QStringLiteral(" >= ?")
        : QStringLiteral("(%1) >= (%2)").arg(leading.join(Comma), placeholders(keyFields));
    return selectOrdered(columns, condition, order, false);
}

QString TableStatements::insertRow(const QStringList& assigned) const
{
    const QString insert = assigned.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table_)
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(table_, assigned.join(Comma), placeholders(assigned.size()));
    return dialect_->insertReturningKey(insert, key_);
}

QString TableStatements::latestKey() const
{
    return QStringLiteral("SELECT MAX(%1) FROM %2").arg(key_, table_);
}

QString TableStatements::updateRow(const QStringList& assigned) const
{
    QStringList sets;
    for (const QString& column : assigned)
        sets << column + QStringLiteral(" = ?");
    // The row is written only while the fields written still hold what was read:
    // a change someone else stored meanwhile is not overwritten.
    QString unchanged;
    for (const QString& column : assigned)
        unchanged += QStringLiteral(" AND %1 IS NOT DISTINCT FROM ?").arg(column);
    return QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?%4").arg(table_, sets.join(Comma), key_, unchanged);
}

} // namespace velmora::catalogue
