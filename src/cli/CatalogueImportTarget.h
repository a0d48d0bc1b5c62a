#pragma once

#include <memory>
#include <string>

#include <QString>

namespace velmora::catalogue {
class CatalogueTables;
}

namespace velmora::import {
class StructuresSaveTarget;
} // namespace velmora::import

namespace velmora::text {
class TextList;
}

namespace velmora::importsave {
struct UpdateSummary;
}

namespace velmora::cli {

// The catalogue side of a command-line import: opens the three catalogue
// tables of a connected catalogue, checks and looks the foundation class up and saves parsed
// structures under it: appended, or over the items stored already (--update).
// Throws CatalogueError when any of that fails.
class CatalogueImportTarget {
public:
    enum class Save { Append, Update };

    // Throws UnknownFoundationClass when the class is not in the catalogue.
    CatalogueImportTarget(const QString& foundationClassName, catalogue::CatalogueTables& tables, Save save);
    ~CatalogueImportTarget();

    import::StructuresSaveTarget& saveTarget();
    // What the last update did; nullptr when the save appends.
    const importsave::UpdateSummary* updateSummary() const;
    // How many of the file's structures the class holds already.
    long long structuresAlreadyStored(const text::TextList& names);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace velmora::cli
