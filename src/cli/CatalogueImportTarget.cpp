#include "cli/CatalogueImportTarget.h"

#include "catalogue/CatalogueTables.h"
#include "catalogue/FoundationClasses.h"
#include "catalogue/Lookups.h"
#include "catalogue/Query.h"
#include "importsave/CatalogueStructuresSaver.h"
#include "importsave/CatalogueStructuresUpdater.h"
#include "importsave/StoredStructures.h"

namespace velmora::cli {

struct CatalogueImportTarget::Parts {
    Parts(catalogue::CatalogueTables& catalogue, Save how) : tables(catalogue), save(how) {}

    catalogue::CatalogueTables& tables;
    Save save;
    int foundationClassIndex = 0;
    importsave::CatalogueStructuresSaver saver{tables.database, tables.structures, tables.members, tables.flags,
                                               foundationClassIndex};
    importsave::CatalogueStructuresUpdater updater{tables.database, foundationClassIndex};
};

CatalogueImportTarget::CatalogueImportTarget(const QString& foundationClassName, catalogue::CatalogueTables& tables,
                                             Save save)
    : parts_(std::make_unique<Parts>(tables, save))
{
    parts_->tables.open();
    catalogue::checkFoundationClass(foundationClassName, parts_->tables.database);
    catalogue::Query query(parts_->tables.database);
    parts_->foundationClassIndex = catalogue::Lookups(query).foundationClass(foundationClassName);
}

CatalogueImportTarget::~CatalogueImportTarget() = default;

import::StructuresSaveTarget& CatalogueImportTarget::saveTarget()
{
    if (parts_->save == Save::Update)
        return parts_->updater;
    return parts_->saver;
}

const importsave::UpdateSummary* CatalogueImportTarget::updateSummary() const
{
    return parts_->save == Save::Update ? &parts_->updater.summary() : nullptr;
}

long long CatalogueImportTarget::structuresAlreadyStored(const text::TextList& names)
{
    return importsave::StructuresAlreadyStored(parts_->tables.database, parts_->foundationClassIndex, names);
}

} // namespace velmora::cli
