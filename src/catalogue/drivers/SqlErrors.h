#pragma once

#include <QSqlError>
#include <QString>

#include "catalogue/CatalogueError.h"

class QSqlDatabase;
class QSqlDriver;
class QSqlQuery;
struct sqlite3;
struct pg_conn;
struct pg_result;

namespace velmora::catalogue {

// The one classification of catalogue errors. The engine's code decides the
// kind of fault (SQLite's result code, primary or extended; PostgreSQL's
// SQLSTATE); the connection tells what no code says: an SQLite file deleted or
// replaced since it was opened, a server connection that is gone. Every path
// (Qt SQL, SQLite's and libpq's own calls) throws through it.

// The fault an SQLite result code names; Failed for any other.
CatalogueFault sqliteFault(int code);
// The fault a PostgreSQL SQLSTATE names; Failed for any other.
CatalogueFault postgresFault(const QString& sqlstate);

// The driver's own words for an error, without Qt's generic suffixes.
QString driverMessage(const QSqlError& error);

// libpq's words for a closed connection, for errors that come without a code.
bool saysConnectionLost(const QString& libpqMessage);

// Throws the CatalogueError of the error's kind: "context: driver message", or
// the message of its fault. driver is the connection the error came from (null
// when there is none: then only the error's own code and words decide).
CatalogueError sqlError(const QString& context, const QSqlError& error, const QSqlDriver* driver = nullptr);
[[noreturn]] void throwSqlError(const QString& context, const QSqlError& error, const QSqlDriver* driver = nullptr);
[[noreturn]] void throwSqlError(const QString& context, const QSqlQuery& query);
[[noreturn]] void throwSqlError(const QString& context, const QSqlDatabase& db);
// The cheap look that needs no failed statement: throws the gone error when
// the connection's SQLite file was deleted or replaced since it was opened
// (reads of such a file still succeed). Nothing for other drivers.
void throwIfFileGone(const QString& context, const QSqlDriver* driver);
// For SQLite's own calls: code is what the failed call returned.
[[noreturn]] void throwSqliteError(const QString& context, sqlite3* connection, int code);
// For libpq's own calls: result is the failed one, or null when there is none.
[[noreturn]] void throwPostgresError(const QString& context, pg_conn* connection, const pg_result* result);

} // namespace velmora::catalogue
