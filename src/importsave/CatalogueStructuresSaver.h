#pragma once

#include <vector>

#include "import/ParsedStructures.h"

namespace velmora::catalogue {
class Database;
class Table;
} // namespace velmora::catalogue

namespace velmora::importsave {

class ImportedRecords;

// Saves the lists of a parsed structures file into the three catalogue tables,
// linking members and flags to the keys their parents received. Records are
// written as import --update writes its new ones (ImportedRecords: one
// catalogue::RowAppender per table; on SQLite, the engine's own prepared
// statements, on PostgreSQL, COPY in batches). The whole save is one
// transaction: on any error nothing of it stays in the catalogue, the error is
// rethrown and the status caption still names the record that failed (on
// PostgreSQL, the last record of the batch the server refused).
// The three tables are left open on the last records written.
class CatalogueStructuresSaver : public import::StructuresSaveTarget {
public:
    // foundationClassIndex: read when the save runs, so it follows the page showing.
    CatalogueStructuresSaver(catalogue::Database& database, catalogue::Table& structures,
                             catalogue::Table& members, catalogue::Table& flags,
                             const int& foundationClassIndex);

    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver& observer) override;

private:
    void saveStructureRecords(const import::ParsedStructures& lists, import::ImportObserver& observer,
                              ImportedRecords& records, std::vector<long long>& structureKeys);
    void saveMemberRecords(const import::ParsedStructures& lists, import::ImportObserver& observer,
                           ImportedRecords& records, const std::vector<long long>& structureKeys,
                           std::vector<long long>& memberKeys);
    void saveFlagRecords(const import::ParsedStructures& lists, import::ImportObserver& observer,
                         ImportedRecords& records, const std::vector<long long>& structureKeys,
                         const std::vector<long long>& memberKeys);

    catalogue::Database& database_;
    catalogue::Table& structures_;
    catalogue::Table& members_;
    catalogue::Table& flags_;
    const int& foundationClassIndex_;
};

} // namespace velmora::importsave
