#pragma once

#include <memory>
#include <string>

namespace velmora::import {
class StructuresSaveTarget;
}

namespace velmora::cli {

// The catalogue side of a command-line import: connects the alias, opens the
// three catalogue tables, looks the foundation class up and saves parsed
// structures under it. Throws CatalogueError when any of that fails.
class CatalogueImportTarget {
public:
    explicit CatalogueImportTarget(const std::string& foundationClassName);
    ~CatalogueImportTarget();

    int foundationClassIndex() const;   // 0 when the class is not in the catalogue
    import::StructuresSaveTarget& saveTarget();

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace velmora::cli
