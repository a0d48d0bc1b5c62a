#pragma once

#include <array>

#include "catalogue/AliasRegistry.h"
#include "catalogue/Database.h"
#include "catalogue/Table.h"

namespace velmora::catalogue {

// The database component on the alias Corvane and the three tables an import
// fills and the browser edits, each keyed as the schema says and ordered by
// the main window's index field lists. The window, the command-line tool and
// the tests all build their catalogue from this one bundle.
class CatalogueTables {
public:
    explicit CatalogueTables(AliasRegistry registry = AliasRegistry());
    CatalogueTables(const CatalogueTables&) = delete;
    CatalogueTables& operator=(const CatalogueTables&) = delete;

    // Connects and opens the three tables, parents first. Throws CatalogueError.
    void open();
    // Closes the tables (dropping unposted changes) and disconnects.
    void close();

    // Structures, members, flags: parents first.
    std::array<Table*, 3> all() { return {&structures, &members, &flags}; }

    Database database;
    Table structures;
    Table members;
    Table flags;
};

} // namespace velmora::catalogue
