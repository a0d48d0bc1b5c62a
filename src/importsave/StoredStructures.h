#pragma once

#include "text/TextList.h"

namespace velmora::catalogue {
class Database;
}

namespace velmora::importsave {

// How many of names (a file's structures, by position) the catalogue holds
// in the foundation class already: what a plain import is about to store a
// second time. Reads only; throws CatalogueError.
long long StructuresAlreadyStored(catalogue::Database& database, int foundationClass, const text::TextList& names);

} // namespace velmora::importsave
