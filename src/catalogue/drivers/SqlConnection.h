#pragma once

#include <QSqlDatabase>
#include <QString>

#include "catalogue/AliasRegistry.h"

struct pg_conn;

namespace velmora::catalogue {

// Opens a Qt SQL connection named connectionName on an alias entry. A missing
// catalogue file is an error, never silently created; the busy timeout makes a
// locked catalogue wait before failing. Throws CatalogueError and leaves no
// connection behind.
QSqlDatabase openSqlConnection(const QString& connectionName, const AliasEntry& entry, int busyTimeoutMs,
                               bool mayCreate = false);

// The libpq connection under a QPSQL connection (Debian's driver links the
// same system libpq as the program); null for any other driver.
pg_conn* libpqConnection(const QSqlDatabase& db);

// True when the connection is known to be broken (a server connection whose
// server went away); an embedded file's connection never is.
bool sqlConnectionLost(const QSqlDatabase& db);

// What is wrong with the size of an embedded catalogue's file: a file shorter
// than its header says it is was cut short, and the rows on its lost pages read
// as garbage or not at all. Empty when nothing, or for a server. A cheap look
// at the header's page count and the file's size; SQLite has rolled back a hot
// journal before it reads the header. Throws CatalogueError when it cannot look.
QString fileShortfall(const QSqlDatabase& db);

// Closes and forgets the connection; every query on it must be gone.
void closeSqlConnection(const QString& connectionName);

} // namespace velmora::catalogue
