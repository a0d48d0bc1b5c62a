#include "importsave/CatalogueStructuresSaver.h"

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/Database.h"
#include "catalogue/Table.h"
#include "import/ImportObserver.h"
#include "importsave/ImportedRecords.h"
#include "importsave/ListChecks.h"
#include "importsave/SaveTrace.h"
#include "text/TraceText.h"

namespace velmora::importsave {

using catalogue::Table;
using import::ImportObserver;
using import::ParsedStructures;
using text::AssignConcat;
using text::Decimal;

namespace {

// Keeps bound controls quiet while thousands of rows go by; one refresh at the end.
class QuietControls {
public:
    QuietControls(Table& a, Table& b, Table& c) : tables_{&a, &b, &c}
    {
        for (Table* table : tables_)
            table->disableControls();
    }
    ~QuietControls()
    {
        for (Table* table : tables_)
            table->enableControls();
    }
    QuietControls(const QuietControls&) = delete;
    QuietControls& operator=(const QuietControls&) = delete;

private:
    Table* tables_[3];
};

void reopen(Table& table)
{
    table.close();
    table.open();
}

// The cursor ends on the last record written, as if the save had posted
// through it. Every index list of the catalogue's tables starts with the key.
void showRow(Table& table, long long key)
{
    table.setKey();
    table.setKeyField(table.keyField(), key);
    table.gotoNearest();
}

} // namespace

CatalogueStructuresSaver::CatalogueStructuresSaver(catalogue::Database& database, Table& structures, Table& members,
                                                   Table& flags, const int& foundationClassIndex)
    : database_(database), structures_(structures), members_(members), flags_(flags),
      foundationClassIndex_(foundationClassIndex)
{
}

void CatalogueStructuresSaver::SaveStructures(ParsedStructures& lists, ImportObserver& observer)
{
    TraceSaveStart(lists, observer);
    QuietControls quiet(structures_, members_, flags_);
    database_.beginTransaction();
    try {
        ImportedRecords records(database_, foundationClassIndex_);
        // The keys each parent received, by its position in the lists.
        std::vector<long long> structureKeys;
        std::vector<long long> memberKeys;
        saveStructureRecords(lists, observer, records, structureKeys);
        saveMemberRecords(lists, observer, records, structureKeys, memberKeys);
        saveFlagRecords(lists, observer, records, structureKeys, memberKeys);
        observer.BeforeCommit();
        database_.commit();
    } catch (...) {
        // Nothing of this import stays: undo, and put the cursors back on stored rows.
        try {
            database_.rollback();
        } catch (...) {
        }
        for (Table* table : {&structures_, &members_, &flags_}) {
            try {
                if (table->active())
                    reopen(*table);
            } catch (...) {
            }
        }
        throw;
    }

    lists = ParsedStructures();
    TraceSaveDone(observer);
}

void CatalogueStructuresSaver::saveStructureRecords(const ParsedStructures& lists, ImportObserver& observer,
                                                    ImportedRecords& records, std::vector<long long>& structureKeys)
{
    RequireSize(lists.Structure_Names.size(), lists.Structure_Descriptions.size(), "Structure_Descriptions");
    reopen(structures_);
    records.beginStructures(lists.Structure_Names.size());
    std::string caption;  // kept: no allocation a record
    structureKeys.reserve(lists.Structure_Names.size());
    for (std::size_t i = 0; i < lists.Structure_Names.size(); ++i) {
        const std::string_view name = lists.Structure_Names[i];
        AssignConcat(caption, "Saving Structure #", Decimal(static_cast<long long>(i)), ": '", name, "'");
        observer.Trace(caption);
        observer.SetStatus(caption);
        structureKeys.push_back(records.structure(name, lists.Structure_Descriptions[i]));
    }
    records.finish();
    if (!structureKeys.empty())
        showRow(structures_, structureKeys.back());
}

void CatalogueStructuresSaver::saveMemberRecords(const ParsedStructures& lists, ImportObserver& observer,
                                                 ImportedRecords& records, const std::vector<long long>& structureKeys,
                                                 std::vector<long long>& memberKeys)
{
    RequireSize(lists.Member_Names.size(), lists.Member_Types.size(), "Member_Types");
    RequireSize(lists.Member_Names.size(), lists.Member_Descriptions.size(), "Member_Descriptions");
    reopen(members_);
    records.beginMembers(lists.Member_Names.size());
    std::string description;
    std::string caption;
    memberKeys.reserve(lists.Member_Names.size());
    for (std::size_t j = 0; j < lists.Member_Names.size(); ++j) {
        const std::size_t s = StructureOfMember(lists, j, description);
        const std::string_view name = lists.Member_Names[j];
        AssignConcat(caption, "Saving Structure Member #", Decimal(static_cast<long long>(j)), ": '",
                     lists.Structure_Names[s], "::", name, "'");
        observer.Trace(caption);
        observer.SetStatus(caption);
        memberKeys.push_back(records.member(structureKeys[s], name, lists.Member_Types[j], description));
    }
    records.finish();
    if (!memberKeys.empty())
        showRow(members_, memberKeys.back());
}

void CatalogueStructuresSaver::saveFlagRecords(const ParsedStructures& lists, ImportObserver& observer,
                                               ImportedRecords& records, const std::vector<long long>& structureKeys,
                                               const std::vector<long long>& memberKeys)
{
    RequireSize(lists.Flag_Names.size(), lists.Flag_Descriptions.size(), "Flag_Descriptions");
    reopen(flags_);
    records.beginFlags(lists.Flag_Names.size());
    std::string description;
    std::string caption;
    long long lastKey = 0;
    for (std::size_t k = 0; k < lists.Flag_Names.size(); ++k) {
        const auto [s, m] = ParentsOfFlag(lists, k, description);
        const std::string_view flag = lists.Flag_Names[k];
        AssignConcat(caption, "Saving Structure Member Flag #", Decimal(static_cast<long long>(k)), ": '",
                     lists.Structure_Names[s], "::", lists.Member_Names[m], "::", flag, "'");
        observer.Trace(caption);
        observer.SetStatus(caption);
        lastKey = records.flag(structureKeys[s], memberKeys[m], flag, description);
    }
    records.finish();
    if (!lists.Flag_Names.empty())
        showRow(flags_, lastKey);
}

} // namespace velmora::importsave
