#include "catalogue/RowUpdater.h"

#include <QVariant>

#include "catalogue/Database.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

RowUpdater::RowUpdater(Database& database, const QString& table, const QString& keyField,
                       const QStringList& assignments)
    : table_(table), statement_(database.handle()),
      keyPosition_(static_cast<int>(assignments.join(QString()).count(QLatin1Char('?'))))
{
    statement_.setForwardOnly(true);
    if (!statement_.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                .arg(table, assignments.join(QStringLiteral(", ")), keyField)))
        throwSqlError(QStringLiteral("Cannot use the table %1").arg(table), statement_);
}

void RowUpdater::setText(int position, std::string_view utf8)
{
    statement_.bindValue(position, QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void RowUpdater::update(long long key)
{
    statement_.bindValue(keyPosition_, key);
    if (!statement_.exec())
        throwSqlError(QStringLiteral("Cannot write to the table %1").arg(table_), statement_);
    statement_.finish();
}

} // namespace velmora::catalogue
