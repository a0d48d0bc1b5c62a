#include "cli/CatalogueImportTarget.h"

#include "catalogue/CatalogueTables.h"
#include "catalogue/Lookups.h"
#include "catalogue/Query.h"
#include "import/save/CatalogueStructuresSaver.h"

namespace velmora::cli {

struct CatalogueImportTarget::Parts {
    catalogue::CatalogueTables tables;
    int foundationClassIndex = 0;
    importsave::CatalogueStructuresSaver saver{tables.database, tables.structures, tables.members, tables.flags,
                                               foundationClassIndex};
};

CatalogueImportTarget::CatalogueImportTarget(const std::string& foundationClassName) : parts_(std::make_unique<Parts>())
{
    parts_->tables.open();
    catalogue::Query query(parts_->tables.database);
    parts_->foundationClassIndex =
        catalogue::Lookups(query).foundationClass(QString::fromStdString(foundationClassName));
}

CatalogueImportTarget::~CatalogueImportTarget() = default;

int CatalogueImportTarget::foundationClassIndex() const
{
    return parts_->foundationClassIndex;
}

import::StructuresSaveTarget& CatalogueImportTarget::saveTarget()
{
    return parts_->saver;
}

} // namespace velmora::cli
