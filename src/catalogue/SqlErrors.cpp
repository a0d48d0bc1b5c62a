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

bool reportsDamage(const QSqlError& error)
{
    // SQLite's primary codes SQLITE_CORRUPT and SQLITE_NOTADB; the low byte
    // also covers their extended codes.
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber);
    if (isNumber && ((code & 0xff) == 11 || (code & 0xff) == 26))
        return true;
    const QString text = driverMessage(error);
    return text.contains(QStringLiteral("malformed")) || text.contains(QStringLiteral("not a database"));
}

void throwSqlError(const QString& context, const QSqlError& error)
{
    const QString message = context + QStringLiteral(": ") + driverMessage(error);
    if (reportsDamage(error))
        throw CatalogueDamagedError(message);
    throw CatalogueError(message);
}

} // namespace velmora::catalogue
