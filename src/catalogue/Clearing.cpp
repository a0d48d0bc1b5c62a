#include "catalogue/Clearing.h"

#include "catalogue/Database.h"
#include "catalogue/Table.h"

namespace velmora::catalogue {

ClearedRows clearCatalogueTables(Database& database, Table& structures, Table& members, Table& flags)
{
    Table* const tables[] = {&structures, &members, &flags};
    long long removed[3] = {};
    database.beginTransaction();
    try {
        for (int i = 0; i < 3; ++i) {
            tables[i]->close();
            removed[i] = tables[i]->emptyTable();
            tables[i]->open();
        }
        database.commit();
    } catch (...) {
        try {
            database.rollback();
            // The cursors opened on emptied tables: show the restored rows.
            for (Table* table : tables) {
                table->close();
                table->open();
            }
        } catch (...) {
            // the first error is the one to report
        }
        throw;
    }
    return {removed[0], removed[1], removed[2]};
}

} // namespace velmora::catalogue
