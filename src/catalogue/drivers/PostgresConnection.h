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

// The catalogue a command-line value names. A PostgreSQL database when the
// value is a URI (postgresql://, postgres://) or consists of keyword=value
// words of libpq's keywords; any other value is the path of an SQLite file
// ("./a=b.sqlite" for a file whose name holds "="), made absolute. Throws
// CatalogueError as parsePostgresConnection does.
AliasEntry catalogueNamedBy(const QString& value);

} // namespace velmora::catalogue
