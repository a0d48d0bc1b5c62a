#pragma once

#include <QString>

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
};

} // namespace velmora::catalogue
