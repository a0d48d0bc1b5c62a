#include "catalogue/Clearing.h"

#include "catalogue/Database.h"
#include "catalogue/Table.h"

namespace velmora::catalogue {

ClearedRows clearCatalogueTables(Database& database, Table& structures, Table& members, Table& flags)
{
    Table* const tables[] = {&structures, &members, &flags};
    long long removed[3] = {};
    // The cursors are left alone until the deletes are committed: a clear that
    // fails keeps a change being edited, as every other failed write does.
    database.beginTransaction();
    try {
        for (int i = 0; i < 3; ++i)
            removed[i] = tables[i]->emptyTable();
        database.commit();
    } catch (...) {
        try {
            database.rollback();
        } catch (...) {
            // the first error is the one to report
        }
        throw;
    }
    for (Table* table : tables) {
        table->close();
        table->open();
    }
    return {removed[0], removed[1], removed[2]};
}

} // namespace velmora::catalogue
