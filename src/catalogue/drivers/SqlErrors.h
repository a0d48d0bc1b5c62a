#pragma once

#include <QSqlError>
#include <QString>

namespace velmora::catalogue {

// The driver's own words for an error, without Qt's generic suffixes.
QString driverMessage(const QSqlError& error);

// True when the engine says the catalogue file itself is damaged (SQLite's
// "malformed" and "not a database"), not merely that a statement failed.
bool reportsDamage(const QSqlError& error);

// True when the error says the connection to the server is gone, not that a
// statement failed: libpq's own words for a closed connection, or the
// server's codes for a connection it ended (class 08, shutdown, termination).
bool reportsLostConnection(const QSqlError& error);
bool saysConnectionLost(const QString& libpqMessage);

// Throws CatalogueError "context: driver message", or the message of its kind
// of fault (damage, a lost connection).
[[noreturn]] void throwSqlError(const QString& context, const QSqlError& error);

} // namespace velmora::catalogue
