#pragma once

namespace velmora::catalogue {

class Database;
class Table;

struct ClearedRows {
    long long structures = 0;
    long long members = 0;
    long long flags = 0;
};

// Empties the structure, member and flag tables in one transaction, all three
// or none: a half-cleared catalogue would keep members without their structures.
// Each table is left open in browse state; the foundation classes are not
// touched. On an error everything is rolled back, the tables stay as they were
// (an edit in progress included), and the error goes on to the caller.
ClearedRows clearCatalogueTables(Database& database, Table& structures, Table& members, Table& flags);

} // namespace velmora::catalogue
