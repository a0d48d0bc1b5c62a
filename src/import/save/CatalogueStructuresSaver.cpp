#include "import/save/CatalogueStructuresSaver.h"

#include <QString>
#include <string>
#include <string_view>
#include <utility>

#include "catalogue/CatalogueError.h"
#include "catalogue/Database.h"
#include "catalogue/Table.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/TraceText.h"

namespace velmora::importsave {

using catalogue::CatalogueError;
using catalogue::Table;
using import::Concat;
using import::Decimal;
using import::ExtractTag;
using import::ImportObserver;
using import::MakeTag;
using import::ParsedStructures;

namespace {

const QString Conversion_Status = QStringLiteral("Conversion_Status");
const QString Foundation_Class_Index = QStringLiteral("Foundation_Class_Index");
const QString Structure_Index = QStringLiteral("Structure_Index");
const QString Member_Index = QStringLiteral("Member_Index");
const QString Flag_Index = QStringLiteral("Flag_Index");
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
QString defaultPropertyName(std::string_view memberName)
{
    return text(memberName);
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

std::size_t checkedPosition(long long position, std::size_t size, const char* what, const char* item, std::size_t at)
{
    if (position < 0 || static_cast<unsigned long long>(position) >= size)
        throw CatalogueError(QStringLiteral("Cannot save %1 #%2: it names no %3 of this import")
                                 .arg(QLatin1String(item)).arg(at).arg(QLatin1String(what)));
    return static_cast<std::size_t>(position);
}

// The key a saved parent received, read back from its tagged entry.
long long savedKey(const char* tagName, std::string_view entry, std::string& plainName, const char* item, std::size_t at)
{
    const long long key = ExtractTag(tagName, entry, plainName);
    if (key < 0)
        throw CatalogueError(QStringLiteral("Cannot save %1 #%2: its parent was not saved").arg(QLatin1String(item)).arg(at));
    return key;
}

void requireSameSize(std::size_t expected, std::size_t actual, const char* list)
{
    if (actual < expected)
        throw CatalogueError(QStringLiteral("Cannot save the structures: the list %1 is shorter than its names").arg(QLatin1String(list)));
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
    observer.AppendTrace("");
    observer.AppendTrace("Structures DUMP :-");
    observer.SetStatus("Dumping structures to database");
    observer.AppendTrace("");
    observer.AppendTrace("# of structures names == " + std::to_string(lists.Structure_Names.size()));
    observer.AppendTrace("# of structures descriptions == " + std::to_string(lists.Structure_Descriptions.size()));
    observer.AppendTrace("# of member names == " + std::to_string(lists.Member_Names.size()));
    observer.AppendTrace("# of member types == " + std::to_string(lists.Member_Types.size()));
    observer.AppendTrace("# of member descriptions == " + std::to_string(lists.Member_Descriptions.size()));
    observer.AppendTrace("# of flag names == " + std::to_string(lists.Flag_Names.size()));
    observer.AppendTrace("# of flag descriptions == " + std::to_string(lists.Flag_Descriptions.size()));

    const int foundationClass = foundationClassIndex_;
    QuietControls quiet(structures_, members_, flags_);
    database_.beginTransaction();
    try {
        saveStructureRecords(lists, observer, foundationClass);
        saveMemberRecords(lists, observer, foundationClass);
        saveFlagRecords(lists, observer, foundationClass);
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
    observer.AppendTrace("Done. All structures were imported successfully!");
    observer.SetStatus("Done. All structures were imported successfully!");
}

void CatalogueStructuresSaver::saveStructureRecords(ParsedStructures& lists, ImportObserver& observer, int foundationClass)
{
    requireSameSize(lists.Structure_Names.size(), lists.Structure_Descriptions.size(), "Structure_Descriptions");
    reopen(structures_);
    for (std::size_t i = 0; i < lists.Structure_Names.size(); ++i) {
        const std::string_view name = std::as_const(lists.Structure_Names)[i];
        const std::string caption = Concat("Saving Structure #", Decimal(static_cast<long long>(i)), ": '", name, "'");
        observer.AppendTrace(caption);
        observer.SetStatus(caption);

        const QString description = text(std::as_const(lists.Structure_Descriptions)[i]);
        const QString qname = text(name);
        structures_.append();
        structures_.setField(Conversion_Status, InitialStatus);
        structures_.setField(Foundation_Class_Index, foundationClass);
        structures_.setField(Structure_Name, qname);
        structures_.setField(Structure_Description, description);
        structures_.setField(BCB_Name, qname.toLower());
        structures_.setField(BCB_Description, description);
        structures_.post();   // the key comes back with the insert: no re-read needed

        lists.Structure_Names.Replace(i, Concat(MakeTag("UniqueStructureIndex", structures_.fieldAsInteger(Structure_Index)), name));
    }
}

void CatalogueStructuresSaver::saveMemberRecords(ParsedStructures& lists, ImportObserver& observer, int foundationClass)
{
    requireSameSize(lists.Member_Names.size(), lists.Member_Types.size(), "Member_Types");
    requireSameSize(lists.Member_Names.size(), lists.Member_Descriptions.size(), "Member_Descriptions");
    reopen(members_);
    std::string description;
    std::string structureName;
    for (std::size_t j = 0; j < lists.Member_Names.size(); ++j) {
        const std::size_t s = checkedPosition(ExtractTag("StructureIndex", lists.Member_Descriptions[j], description),
                                              lists.Structure_Names.size(), "structure", "structure member", j);
        const long long structureKey =
            savedKey("UniqueStructureIndex", lists.Structure_Names[s], structureName, "structure member", j);
        const std::string_view name = std::as_const(lists.Member_Names)[j];
        const std::string caption =
            Concat("Saving Structure Member #", Decimal(static_cast<long long>(j)), ": '", structureName, "::", name, "'");
        observer.AppendTrace(caption);
        observer.SetStatus(caption);

        const QString qdescription = text(description);
        members_.append();
        members_.setField(Conversion_Status, InitialStatus);
        members_.setField(Foundation_Class_Index, foundationClass);
        members_.setField(Structure_Index, structureKey);
        members_.setField(Member_Name, text(name));
        members_.setField(Member_Type, text(std::as_const(lists.Member_Types)[j]));
        members_.setField(Member_Description, qdescription);
        members_.setField(BCB_Name, defaultPropertyName(name));
        members_.setField(BCB_Description, qdescription);
        members_.post();

        lists.Member_Names.Replace(j, Concat(MakeTag("UniqueMemberIndex", members_.fieldAsInteger(Member_Index)), name));
    }
}

void CatalogueStructuresSaver::saveFlagRecords(ParsedStructures& lists, ImportObserver& observer, int foundationClass)
{
    requireSameSize(lists.Flag_Names.size(), lists.Flag_Descriptions.size(), "Flag_Descriptions");
    reopen(flags_);
    std::string ignored;
    std::string description;
    std::string structureName;
    std::string memberName;
    for (std::size_t k = 0; k < lists.Flag_Names.size(); ++k) {
        const std::string_view entry = std::as_const(lists.Flag_Descriptions)[k];
        const std::size_t s = checkedPosition(ExtractTag("FlagStructureIndex", entry, ignored),
                                              lists.Structure_Names.size(), "structure", "structure member flag", k);
        const long long structureKey =
            savedKey("UniqueStructureIndex", lists.Structure_Names[s], structureName, "structure member flag", k);
        const std::size_t m = checkedPosition(ExtractTag("FlagMemberIndex", entry, description),
                                              lists.Member_Names.size(), "member", "structure member flag", k);
        const long long memberKey = savedKey("UniqueMemberIndex", lists.Member_Names[m], memberName, "structure member flag", k);
        const std::string_view flag = std::as_const(lists.Flag_Names)[k];
        const std::string caption = Concat("Saving Structure Member Flag #", Decimal(static_cast<long long>(k)), ": '",
                                           structureName, "::", memberName, "::", flag, "'");
        observer.AppendTrace(caption);
        observer.SetStatus(caption);

        const QString qdescription = text(description);
        flags_.append();
        flags_.setField(Conversion_Status, InitialStatus);
        flags_.setField(Foundation_Class_Index, foundationClass);
        flags_.setField(Structure_Index, structureKey);
        flags_.setField(Member_Index, memberKey);
        flags_.setField(Flag_Name, text(flag));
        flags_.setField(Flag_Description, qdescription);
        flags_.setField(BCB_Description, qdescription);
        flags_.post();
    }
}

} // namespace velmora::importsave
