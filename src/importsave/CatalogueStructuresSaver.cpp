#include "importsave/CatalogueStructuresSaver.h"

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/CatalogueError.h"
#include "catalogue/Database.h"
#include "catalogue/Table.h"
#include "catalogue/drivers/RowAppenderFactory.h"
#include "import/ImportObserver.h"
#include "importsave/ListChecks.h"
#include "text/TraceText.h"

namespace velmora::importsave {

using catalogue::CatalogueError;
using catalogue::openRowAppender;
using catalogue::Table;
using import::ImportObserver;
using import::ParsedStructures;
using text::AssignConcat;
using text::Decimal;

namespace {

const QString Conversion_Status = QStringLiteral("Conversion_Status");
const QString Foundation_Class_Index = QStringLiteral("Foundation_Class_Index");
const QString Structure_Index = QStringLiteral("Structure_Index");
const QString Member_Index = QStringLiteral("Member_Index");
const QString Structure_Name = QStringLiteral("Structure_Name");
const QString Structure_Description = QStringLiteral("Structure_Description");
const QString Member_Name = QStringLiteral("Member_Name");
const QString Member_Type = QStringLiteral("Member_Type");
const QString Member_Description = QStringLiteral("Member_Description");
const QString Flag_Name = QStringLiteral("Flag_Name");
const QString Flag_Description = QStringLiteral("Flag_Description");
const QString BCB_Name = QStringLiteral("BCB_Name");
const QString BCB_Description = QStringLiteral("BCB_Description");

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Every record starts as "completed"; the user lowers the status while editing.
constexpr int InitialStatus = 0;

// The starting property name of a member: its own name. Hungarian prefixes are
// lowercase in DirectX, so nothing is stripped; the user edits the rest.
std::string_view defaultPropertyName(std::string_view memberName)
{
    return memberName;
}

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

// The search name of a structure: Unicode lowercase, without a round trip
// through QString for the usual ASCII name.
std::string_view lowercase(std::string_view name, std::string& lower)
{
    lower.assign(name);
    for (char& c : lower) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            lower = text(name).toLower().toStdString();
            break;
        }
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
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
    observer.Trace("");
    observer.Trace("Structures DUMP :-");
    observer.SetStatus("Dumping structures to database");
    observer.Trace("");
    observer.Trace("# of structures names == " + std::to_string(lists.Structure_Names.size()));
    observer.Trace("# of structures descriptions == " + std::to_string(lists.Structure_Descriptions.size()));
    observer.Trace("# of member names == " + std::to_string(lists.Member_Names.size()));
    observer.Trace("# of member types == " + std::to_string(lists.Member_Types.size()));
    observer.Trace("# of member descriptions == " + std::to_string(lists.Member_Descriptions.size()));
    observer.Trace("# of flag names == " + std::to_string(lists.Flag_Names.size()));
    observer.Trace("# of flag descriptions == " + std::to_string(lists.Flag_Descriptions.size()));

    const int foundationClass = foundationClassIndex_;
    QuietControls quiet(structures_, members_, flags_);
    database_.beginTransaction();
    try {
        // The keys each parent received, by its position in the lists.
        std::vector<long long> structureKeys;
        std::vector<long long> memberKeys;
        saveStructureRecords(lists, observer, foundationClass, structureKeys);
        saveMemberRecords(lists, observer, foundationClass, structureKeys, memberKeys);
        saveFlagRecords(lists, observer, foundationClass, structureKeys, memberKeys);
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
    observer.Trace("Done. All structures were imported successfully!");
    observer.SetStatus("Done. All structures were imported successfully!");
}

void CatalogueStructuresSaver::saveStructureRecords(ParsedStructures& lists, ImportObserver& observer, int foundationClass,
                                                    std::vector<long long>& structureKeys)
{
    RequireSize(lists.Structure_Names.size(), lists.Structure_Descriptions.size(), "Structure_Descriptions");
    reopen(structures_);
    const auto rows = openRowAppender(
        database_, structures_.tableName(), structures_.keyField(),
        {Conversion_Status, Foundation_Class_Index, Structure_Name, Structure_Description, BCB_Name, BCB_Description},
        lists.Structure_Names.size());
    std::string lowerName;
    std::string caption;  // kept: no allocation a record
    structureKeys.reserve(lists.Structure_Names.size());
    for (std::size_t i = 0; i < lists.Structure_Names.size(); ++i) {
        const std::string_view name = lists.Structure_Names[i];
        AssignConcat(caption, "Saving Structure #", Decimal(static_cast<long long>(i)), ": '", name, "'");
        observer.Trace(caption);
        observer.SetStatus(caption);

        const std::string_view description = lists.Structure_Descriptions[i];
        rows->setInteger(0, InitialStatus);
        rows->setInteger(1, foundationClass);
        rows->setText(2, name);
        rows->setText(3, description);
        rows->setText(4, lowercase(name, lowerName));
        rows->setText(5, description);
        structureKeys.push_back(rows->append());
    }
    rows->finish();
    if (!structureKeys.empty())
        showRow(structures_, structureKeys.back());
}

void CatalogueStructuresSaver::saveMemberRecords(ParsedStructures& lists, ImportObserver& observer, int foundationClass,
                                                 const std::vector<long long>& structureKeys, std::vector<long long>& memberKeys)
{
    RequireSize(lists.Member_Names.size(), lists.Member_Types.size(), "Member_Types");
    RequireSize(lists.Member_Names.size(), lists.Member_Descriptions.size(), "Member_Descriptions");
    reopen(members_);
    const auto rows = openRowAppender(database_, members_.tableName(), members_.keyField(),
                                      {Conversion_Status, Foundation_Class_Index, Structure_Index, Member_Name,
                                       Member_Type, Member_Description, BCB_Name, BCB_Description},
                                      lists.Member_Names.size());
    std::string description;
    std::string caption;
    memberKeys.reserve(lists.Member_Names.size());
    for (std::size_t j = 0; j < lists.Member_Names.size(); ++j) {
        const std::size_t s = StructureOfMember(lists, j, description);
        const std::string_view structureName = lists.Structure_Names[s];
        const std::string_view name = lists.Member_Names[j];
        AssignConcat(caption, "Saving Structure Member #", Decimal(static_cast<long long>(j)), ": '",
                           structureName, "::", name, "'");
        observer.Trace(caption);
        observer.SetStatus(caption);

        rows->setInteger(0, InitialStatus);
        rows->setInteger(1, foundationClass);
        rows->setInteger(2, structureKeys[s]);
        rows->setText(3, name);
        rows->setText(4, lists.Member_Types[j]);
        rows->setText(5, description);
        rows->setText(6, defaultPropertyName(name));
        rows->setText(7, description);
        memberKeys.push_back(rows->append());
    }
    rows->finish();
    if (!memberKeys.empty())
        showRow(members_, memberKeys.back());
}

void CatalogueStructuresSaver::saveFlagRecords(ParsedStructures& lists, ImportObserver& observer, int foundationClass,
                                               const std::vector<long long>& structureKeys,
                                               const std::vector<long long>& memberKeys)
{
    RequireSize(lists.Flag_Names.size(), lists.Flag_Descriptions.size(), "Flag_Descriptions");
    reopen(flags_);
    const auto rows = openRowAppender(database_, flags_.tableName(), flags_.keyField(),
                                      {Conversion_Status, Foundation_Class_Index, Structure_Index, Member_Index,
                                       Flag_Name, Flag_Description, BCB_Description},
                                      lists.Flag_Names.size());
    std::string description;
    std::string caption;
    long long lastKey = 0;
    for (std::size_t k = 0; k < lists.Flag_Names.size(); ++k) {
        const auto [s, m] = ParentsOfFlag(lists, k, description);
        const std::string_view structureName = lists.Structure_Names[s];
        const std::string_view memberName = lists.Member_Names[m];
        const std::string_view flag = lists.Flag_Names[k];
        AssignConcat(caption, "Saving Structure Member Flag #", Decimal(static_cast<long long>(k)), ": '",
                           structureName, "::", memberName, "::", flag, "'");
        observer.Trace(caption);
        observer.SetStatus(caption);

        rows->setInteger(0, InitialStatus);
        rows->setInteger(1, foundationClass);
        rows->setInteger(2, structureKeys[s]);
        rows->setInteger(3, memberKeys[m]);
        rows->setText(4, flag);
        rows->setText(5, description);
        rows->setText(6, description);
        lastKey = rows->append();
    }
    rows->finish();
    if (!lists.Flag_Names.empty())
        showRow(flags_, lastKey);
}

} // namespace velmora::importsave
