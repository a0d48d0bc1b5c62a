#pragma once

#include <QSqlError>
#include <QString>

namespace velmora::catalogue {

// The driver's own words for an error, without Qt's generic suffixes.
QString driverMessage(const QSqlError& error);

// Throws CatalogueError "context: driver message".
[[noreturn]] void throwSqlError(const QString& context, const QSqlError& error);

} // namespace velmora::catalogue
