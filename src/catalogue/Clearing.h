#pragma once

namespace velmora::catalogue {

class Table;

// Empties the structure, member and flag tables, in that order, and leaves each
// open in browse state. The foundation classes are not touched. An error stops
// at the failing table; the ones before it stay emptied.
void clearCatalogueTables(Table& structures, Table& members, Table& flags);

} // namespace velmora::catalogue
