#pragma once

#include <QString>

#include "catalogue/AliasRegistry.h"

namespace velmora::catalogue {

// A catalogue file reached by its path rather than an alias: what
// `velmora-cli init` needs before the alias exists.
class CatalogueFile {
public:
    enum class Outcome { Created, AlreadyPresent };

    // Creates the catalogue (tables, indexes, foundation classes) when the file
    // is absent or holds no table yet; otherwise checks that it is a sound
    // catalogue and leaves it untouched. Throws CatalogueError; a file this
    // call created is removed again when creating it fails.
    static Outcome ensure(const QString& path);

    // The same for a PostgreSQL database, which must exist already: the tables
    // are created when none of them is there, all in one transaction.
    static Outcome ensureOnServer(const AliasEntry& server);

    // ensure() for a file, ensureOnServer() for a database on a server.
    static Outcome ensure(const AliasEntry& catalogue);
};

} // namespace velmora::catalogue
