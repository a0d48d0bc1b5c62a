#include "cli/CatalogueImportTarget.h"

#include "catalogue/CatalogueTables.h"
#include "catalogue/Lookups.h"
#include "catalogue/Query.h"
#include "cli/FoundationClasses.h"
#include "import/save/CatalogueStructuresSaver.h"

namespace velmora::cli {

struct CatalogueImportTarget::Parts {
    explicit Parts(catalogue::AliasRegistry registry) : tables(std::move(registry)) {}

    catalogue::CatalogueTables tables;
    int foundationClassIndex = 0;
    importsave::CatalogueStructuresSaver saver{tables.database, tables.structures, tables.members, tables.flags,
                                               foundationClassIndex};
};

CatalogueImportTarget::CatalogueImportTarget(const QString& foundationClassName, catalogue::AliasRegistry registry)
    : parts_(std::make_unique<Parts>(std::move(registry)))
{
    parts_->tables.open();
    checkFoundationClass(foundationClassName, parts_->tables.database);
    catalogue::Query query(parts_->tables.database);
    parts_->foundationClassIndex = catalogue::Lookups(query).foundationClass(foundationClassName);
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
