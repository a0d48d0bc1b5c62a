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

// Closes and forgets the connection; every query on it must be gone.
void closeSqlConnection(const QString& connectionName);

} // namespace velmora::catalogue
