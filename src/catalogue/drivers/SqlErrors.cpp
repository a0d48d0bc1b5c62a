#include "catalogue/drivers/SqlErrors.h"

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

bool reportsLostConnection(const QSqlError& error)
{
    const QString code = error.nativeErrorCode();
    if (code.startsWith(QStringLiteral("08")) || code == QStringLiteral("57P01") || code == QStringLiteral("57P02") ||
        code == QStringLiteral("57P03"))
        return true;
    return saysConnectionLost(driverMessage(error));
}

bool saysConnectionLost(const QString& libpqMessage)
{
    return libpqMessage.contains(QStringLiteral("server closed the connection unexpectedly")) ||
           libpqMessage.contains(QStringLiteral("no connection to the server")) ||
           libpqMessage.contains(QStringLiteral("terminating connection due to"));
}

void throwSqlError(const QString& context, const QSqlError& error)
{
    if (reportsLostConnection(error)) {
        // libpq explains a closed connection over several lines; the first says it.
        throw CatalogueError::connectionLost(context, driverMessage(error).section(QLatin1Char('\n'), 0, 0).trimmed());
    }
    if (reportsDamage(error))
        throw CatalogueError::damaged(context, driverMessage(error));
    throw CatalogueError(context + QStringLiteral(": ") + driverMessage(error));
}

} // namespace velmora::catalogue
