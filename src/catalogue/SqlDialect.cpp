#include "catalogue/SqlDialect.h"

namespace velmora::catalogue {

QString SqlDialect::connectOptions(int busyTimeoutMs) const
{
    return busyTimeoutOption.isEmpty() ? QString() : busyTimeoutOption + QLatin1Char('=') + QString::number(busyTimeoutMs);
}

const SqlDialect& SqlDialect::embedded()
{
    static const SqlDialect sqlite = [] {
        SqlDialect d;
        d.driver = EmbeddedDriver;
        d.databaseIsFile = true;
        d.busyTimeoutOption = QStringLiteral("QSQLITE_BUSY_TIMEOUT");
        // A big import rewrites index pages all over the file; a roomier page
        // cache keeps them in memory until the commit instead of spilling.
        d.afterOpen = {QStringLiteral("PRAGMA cache_size = -65536")};
        // Take the write lock at the start, so that a locked catalogue waits
        // there rather than failing half-way through.
        d.beginWrite = QStringLiteral("BEGIN IMMEDIATE");
        d.commitWrite = QStringLiteral("COMMIT");
        d.rollbackWrite = QStringLiteral("ROLLBACK");
        d.generatedKey = QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        d.fixedKey = QStringLiteral("INTEGER PRIMARY KEY");
        return d;
    }();
    return sqlite;
}

const SqlDialect& SqlDialect::forDriver(const QString& driver)
{
    if (driver == EmbeddedDriver)
        return embedded();
    static const SqlDialect qtDefaults = [] {
        SqlDialect d;
        d.generatedKey = embedded().generatedKey;
        d.fixedKey = embedded().fixedKey;
        return d;
    }();
    return qtDefaults;
}

} // namespace velmora::catalogue
