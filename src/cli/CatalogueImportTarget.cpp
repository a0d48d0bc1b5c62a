#include "cli/CatalogueImportTarget.h"

#include "catalogue/CatalogueNames.h"
#include "catalogue/Database.h"
#include "catalogue/Lookups.h"
#include "catalogue/Query.h"
#include "catalogue/Table.h"
#include "import/save/CatalogueStructuresSaver.h"

namespace velmora::cli {

namespace names = catalogue::names;

struct CatalogueImportTarget::Parts {
    catalogue::Database database{names::Alias, names::DatabaseName};
    catalogue::Table structures{database, names::StructuresTable, QStringLiteral("Structure_Index")};
    catalogue::Table members{database, names::MembersTable, QStringLiteral("Member_Index")};
    catalogue::Table flags{database, names::FlagsTable, QStringLiteral("Flag_Index")};
    int foundationClassIndex = 0;
    importsave::CatalogueStructuresSaver saver{database, structures, members, flags, foundationClassIndex};
};

CatalogueImportTarget::CatalogueImportTarget(const std::string& foundationClassName) : parts_(std::make_unique<Parts>())
{
    parts_->database.setConnected(true);
    const std::pair<catalogue::Table*, const QString*> tables[] = {{&parts_->structures, &names::StructuresIndexFields},
                                                                   {&parts_->members, &names::MembersIndexFields},
                                                                   {&parts_->flags, &names::FlagsIndexFields}};
    for (const auto& [table, indexFields] : tables) {
        table->setIndexFieldNames(*indexFields);
        table->open();
    }
    catalogue::Query query(parts_->database);
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
