#include "catalogue/CatalogueError.h"

namespace velmora::catalogue {

QString CatalogueError::recoveryAdvice()
{
    return QStringLiteral("restore the catalogue from a copy, or switch to a new one with `velmora-cli use PATH` "
                          "and import again");
}

CatalogueError CatalogueError::damaged(const QString& context, const QString& detail)
{
    return CatalogueError(
        context + QStringLiteral(": ") + detail
            + QStringLiteral(" - the catalogue is damaged; `velmora-cli verify` tells what is wrong (")
            + recoveryAdvice() + QLatin1Char(')'),
        CatalogueFault::Damaged, detail);
}

CatalogueError CatalogueError::locked(const QString& context, std::chrono::milliseconds waited)
{
    return CatalogueError(QStringLiteral("%1: another program holds a lock on the catalogue; gave up after waiting "
                                         "%2 seconds")
                              .arg(context, QString::number(static_cast<double>(waited.count()) / 1000.0, 'f', 1)),
                          CatalogueFault::Locked);
}

CatalogueError CatalogueError::readOnly(const QString& context, const QString& detail)
{
    return CatalogueError(context + QStringLiteral(": the catalogue can be read but not written (") + detail
                              + QLatin1Char(')'),
                          CatalogueFault::ReadOnly);
}

CatalogueError CatalogueError::missing(const QString& message)
{
    return CatalogueError(message, CatalogueFault::Missing);
}

CatalogueError CatalogueError::gone(const QString& context, const QString& path, bool replaced)
{
    return CatalogueError(
        QStringLiteral("%1: the catalogue file %2 was %3 while it was open; nothing more is read "
                       "from or written to the old one until the catalogue is opened again")
            .arg(context, path, replaced ? QStringLiteral("replaced by another file") : QStringLiteral("deleted")),
        CatalogueFault::Gone);
}

CatalogueError CatalogueError::connectionLost(const QString& context, const QString& detail)
{
    return CatalogueError(context + QStringLiteral(": the connection to the catalogue's server was lost (") + detail
                              + QLatin1Char(')'),
                          CatalogueFault::ConnectionLost);
}

} // namespace velmora::catalogue
