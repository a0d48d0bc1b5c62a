#pragma once

#include <QString>

#include "catalogue/AliasRegistry.h"

namespace velmora::catalogue {

// A PostgreSQL catalogue named on the command line: a libpq connection string,
// either a URI ("postgresql://user@host:5432/corvane") or keywords
// ("host=db.example port=5432 dbname=corvane user=anna"), read by libpq itself.
// Throws CatalogueError with libpq's message for a malformed string, and for
// options the alias cannot keep (libpq's environment variables carry those).
AliasEntry parsePostgresConnection(const QString& connection);

// True for "postgresql://..." and "postgres://...".
bool isPostgresUri(const QString& text);

} // namespace velmora::catalogue
