#include "catalogue/CatalogueTables.h"

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"

namespace velmora::catalogue {

namespace {

QString keyOf(const QString& table)
{
    return CatalogueSchema::table(table)->keyField;
}

} // namespace

CatalogueTables::CatalogueTables(AliasRegistry registry)
    : database(names::Alias, names::DatabaseName, std::move(registry)),
      structures(database, names::StructuresTable, keyOf(names::StructuresTable)),
      members(database, names::MembersTable, keyOf(names::MembersTable)),
      flags(database, names::FlagsTable, keyOf(names::FlagsTable))
{
    structures.setIndexFieldNames(names::StructuresIndexFields);
    members.setIndexFieldNames(names::MembersIndexFields);
    flags.setIndexFieldNames(names::FlagsIndexFields);
}

void CatalogueTables::open()
{
    database.setConnected(true);
    for (Table* table : all())
        table->open();
}

void CatalogueTables::close()
{
    for (Table* table : all())
        table->close();
    database.setConnected(false);
}

} // namespace velmora::catalogue
