#pragma once

#include <memory>
#include <string>

#include <QString>

namespace velmora::catalogue {
class AliasRegistry;
}

namespace velmora::import {
class StructuresSaveTarget;
}

namespace velmora::cli {

// The catalogue side of a command-line import: connects the alias, opens the
// three catalogue tables, checks and looks the foundation class up and saves parsed
// structures under it. Throws CatalogueError when any of that fails.
class CatalogueImportTarget {
public:
    // Throws UnknownFoundationClass when the class is not in the catalogue.
    CatalogueImportTarget(const QString& foundationClassName, catalogue::AliasRegistry registry);
    ~CatalogueImportTarget();

    int foundationClassIndex() const;
    import::StructuresSaveTarget& saveTarget();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace velmora::cli
