#include "catalogue/SqlErrors.h"

#include "catalogue/CatalogueError.h"

namespace velmora::catalogue {

QString driverMessage(const QSqlError& error)
{
    QString text = error.databaseText().trimmed();
    if (text.isEmpty())
        text = error.driverText().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("unknown database error");
    return text;
}

void throwSqlError(const QString& context, const QSqlError& error)
{
    throw CatalogueError(context + QStringLiteral(": ") + driverMessage(error));
}

} // namespace velmora::catalogue
