#pragma once

#include <QString>

namespace velmora::catalogue {

class Query;
class Table;

// Name-to-number lookups on the scratch query. Names go in as bound
// parameters, so quotes in flag rows are harmless. Each lookup searches only
// its parent's rows; among equal names there the lowest number wins, and no
// match gives 0. The query is closed again before each lookup returns.
class Lookups {
public:
    explicit Lookups(Query& query) : query_(query) {}

    int foundationClass(const QString& caption);
    int structure(const QString& name, int foundationClassIndex);
    int member(const QString& name, int structureIndex);
    int flag(const QString& name, int memberIndex);

private:
    int lowestNumber(const QString& numberField, const QString& table, const QString& nameField,
                     const QString& name, const QString& scopeField, int scope);

    Query& query_;
};

// Moves the table onto the first row whose number is equal to or greater than
// number (0 gives the first row). From here on the table is ordered by its
// number alone; closing it on the way drops any unposted change.
void positionOnNumber(Table& table, int number);

} // namespace velmora::catalogue
