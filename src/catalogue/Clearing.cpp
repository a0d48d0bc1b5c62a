#include "catalogue/Clearing.h"

#include "catalogue/Table.h"

namespace velmora::catalogue {

namespace {

void emptyAndReopen(Table& table)
{
    table.close();
    table.emptyTable();
    table.open();
}

} // namespace

void clearCatalogueTables(Table& structures, Table& members, Table& flags)
{
    emptyAndReopen(structures);
    emptyAndReopen(members);
    emptyAndReopen(flags);
}

} // namespace velmora::catalogue
