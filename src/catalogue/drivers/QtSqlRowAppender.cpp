#include "catalogue/drivers/QtSqlRowAppender.h"

#include <QVariant>

#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

QtSqlRowAppender::QtSqlRowAppender(const QSqlDatabase& db, const QString& table, const QString& keyField,
                                   const QStringList& columns)
    : db_(db), table_(table), keyField_(keyField), insert_(db)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    insert_.setForwardOnly(true);
    // Where the server reports the new key with the insert, it must: another
    // writer's rows may come in between an insert and any later look for it.
    const QString insert = SqlDialect::of(db).insertReturningKey(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
        keyField);
    if (!insert_.prepare(insert))
        throwSqlError(QStringLiteral("Cannot use the table %1").arg(table), insert_);
}

void QtSqlRowAppender::setInteger(int column, long long value)
{
    insert_.bindValue(column, value);
}

void QtSqlRowAppender::setText(int column, std::string_view utf8)
{
    insert_.bindValue(column, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

long long QtSqlRowAppender::append()
{
    if (!insert_.exec())
        throwSqlError(QStringLiteral("Cannot write to the table %1").arg(table_), insert_);
    QVariant key = insert_.next() ? insert_.value(0) : insert_.lastInsertId();   // the RETURNING row, where there is one
    insert_.finish();
    if (!key.isValid()) {
        // Drivers that cannot report the new key: the largest is the one just written.
        QSqlQuery latest(db_);
        if (!latest.exec(QStringLiteral("SELECT MAX(%1) FROM %2").arg(keyField_, table_)) || !latest.next())
            throwSqlError(QStringLiteral("Cannot write to the table %1").arg(table_), latest);
        key = latest.value(0);
    }
    return key.toLongLong();
}

} // namespace velmora::catalogue
