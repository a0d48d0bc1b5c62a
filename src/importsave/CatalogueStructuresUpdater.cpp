#include "importsave/CatalogueStructuresUpdater.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "catalogue/AsciiText.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/Database.h"
#include "catalogue/RowScan.h"
#include "catalogue/RowUpdater.h"
#include "import/ImportObserver.h"
#include "importsave/ImportedRecords.h"
#include "importsave/ListChecks.h"
#include "importsave/SaveTrace.h"
#include "text/TraceText.h"

namespace velmora::importsave {

using catalogue::ScannedRow;
using text::AssignConcat;
using text::Decimal;
using import::ImportObserver;
using import::ParsedStructures;

namespace {

// The first word of a flag row: the flag's name, without the text that may follow it.
std::string_view FirstWord(std::string_view row)
{
    return row.substr(0, row.find_first_of(" \t"));
}

// A text as the catalogue holds it once stored: Qt's conversion turns
// malformed UTF-8 into U+FFFD on the way in.
std::string_view StoredForm(std::string_view text, std::string& buffer)
{
    if (catalogue::isAscii(text))
        return text;
    buffer = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString();
    return buffer;
}

bool Differs(std::string_view stored, std::string_view fromFile, std::string& buffer)
{
    return stored != StoredForm(fromFile, buffer);
}

// The parse's links, decoded once: the parents of each member and flag by
// position, and the descriptions without their tags (views into the lists).
struct ParsedLinks {
    explicit ParsedLinks(const ParsedStructures& lists)
    {
        RequireSize(lists.Structure_Names.size(), lists.Structure_Descriptions.size(), "Structure_Descriptions");
        RequireSize(lists.Member_Names.size(), lists.Member_Types.size(), "Member_Types");
        RequireSize(lists.Member_Names.size(), lists.Member_Descriptions.size(), "Member_Descriptions");
        RequireSize(lists.Flag_Names.size(), lists.Flag_Descriptions.size(), "Flag_Descriptions");
        std::string rest;
        for (std::size_t j = 0; j < lists.Member_Names.size(); ++j) {
            memberStructure.push_back(StructureOfMember(lists, j, rest));
            const std::string_view entry = lists.Member_Descriptions[j];
            memberDescription.push_back(entry.substr(entry.size() - rest.size()));
        }
        for (std::size_t k = 0; k < lists.Flag_Names.size(); ++k) {
            const import::FlagLinks links = ParentsOfFlag(lists, k, rest);
            flagStructure.push_back(links.structure);
            flagMember.push_back(links.member);
            const std::string_view entry = lists.Flag_Descriptions[k];
            flagDescription.push_back(entry.substr(entry.size() - rest.size()));
        }
    }

    std::vector<std::size_t> memberStructure;
    std::vector<std::string_view> memberDescription;
    std::vector<std::size_t> flagStructure;
    std::vector<std::size_t> flagMember;
    std::vector<std::string_view> flagDescription;
};

// One level's file items by parent and name, and what became of each.
class Level {
public:
    explicit Level(std::size_t count) : keys(count, 0), changed(count, 0) { byName_.reserve(count); }

    // False when an earlier item of the parent has the name: that one is matched.
    bool add(std::size_t parent, std::string_view name, std::size_t position)
    {
        return byName_.try_emplace(Name{parent, name}, position).second;
    }
    std::optional<std::size_t> find(std::size_t parent, std::string_view name) const
    {
        const auto found = byName_.find(Name{parent, name});
        return found == byName_.end() ? std::nullopt : std::optional<std::size_t>(found->second);
    }
    std::size_t unmatched() const { return static_cast<std::size_t>(std::count(keys.begin(), keys.end(), 0)); }

    std::vector<long long> keys;   // the stored item matched; once written, every item's key
    std::vector<char> changed;     // the file changes the matched item's values
    std::unordered_map<long long, std::size_t> positionOfKey;   // of the matched stored items
    std::unordered_set<long long> repeatedKeys;                 // stored items left as copies of a matched one

private:
    struct Name {
        std::size_t parent;
        std::string_view name;
        bool operator==(const Name&) const = default;
    };
    struct NameHash {
        std::size_t operator()(const Name& n) const noexcept
        {
            return std::hash<std::string_view>{}(n.name) ^ (n.parent * 0x9E3779B97F4A7C15ULL);
        }
    };
    std::unordered_map<Name, std::size_t, NameHash> byName_;
};

void Note(UpdateSummary& summary, RepeatedItem item)
{
    ++summary.repeatsFound;
    if (summary.repeats.size() < UpdateSummary::MaxRepeatsShown)
        summary.repeats.push_back(std::move(item));
}

// The file's items of a level under their parents; a name repeated within its
// parent is counted and noted, and its later items are added.
void IndexFileItems(Level& level, std::size_t count, const std::function<std::size_t(std::size_t)>& parentOf,
                    const std::function<std::string_view(std::size_t)>& nameOf,
                    const std::function<std::string(std::size_t)>& pathOf, RepeatedItem::Level kind,
                    UpdateCounts& counts, UpdateSummary& summary)
{
    for (std::size_t i = 0; i < count; ++i) {
        if (!level.add(parentOf(i), nameOf(i), i)) {
            ++counts.fileTwice;
            Note(summary, {kind, RepeatedItem::Where::File, pathOf(i), 0, 0});
        }
    }
}

// Matches the stored items of a level with the file's, in key order, so that
// the lowest key of a name wins. The select's columns: key, parent key, name,
// then the values differs() compares. parents: the level above, whose
// matches decide where an item may match; none for structures, whose parent
// is the class. The items of a stored copy are copies too.
void MatchStored(catalogue::Database& database, const QString& select, int foundationClass,
                 const Level* parents, bool byFirstWord, Level& level,
                 const std::function<bool(const ScannedRow&, std::size_t)>& differs,
                 const std::function<std::string(std::size_t)>& pathOf, RepeatedItem::Level kind, UpdateCounts& counts,
                 UpdateSummary& summary)
{
    catalogue::scanRows(database, select, {foundationClass}, [&](const ScannedRow& row) {
        std::size_t parent = 0;
        if (parents) {
            const long long parentKey = row.integer(1);
            const auto found = parents->positionOfKey.find(parentKey);
            if (found == parents->positionOfKey.end()) {
                if (parents->repeatedKeys.contains(parentKey)) {
                    ++counts.storedTwice;
                    level.repeatedKeys.insert(row.integer(0));
                } else {
                    ++counts.kept;   // under a parent the file does not name
                }
                return;
            }
            parent = found->second;
        }
        const std::string_view name = byFirstWord ? FirstWord(row.text(2)) : row.text(2);
        const std::optional<std::size_t> position = level.find(parent, name);
        if (!position) {
            ++counts.kept;
            return;
        }
        const long long key = row.integer(0);
        if (level.keys[*position] != 0) {
            ++counts.storedTwice;
            level.repeatedKeys.insert(key);
            Note(summary, {kind, RepeatedItem::Where::Catalogue, pathOf(*position), level.keys[*position], key});
            return;
        }
        level.keys[*position] = key;
        level.positionOfKey.emplace(key, *position);
        ++counts.updated;
        if (differs(row, *position)) {
            level.changed[*position] = 1;
            ++counts.changed;
        }
    });
    counts.added = static_cast<long long>(level.unmatched());
}

// The record's own trace line and status caption, as the plain save has one a record.
void Report(ImportObserver& observer, std::string& caption, bool matched, bool changed)
{
    if (matched)
        caption += changed ? " (changed)" : " (unchanged)";
    observer.Trace(caption);
    observer.SetStatus(caption);
}

const char* Verb(bool matched)
{
    return matched ? "Updating " : "Adding ";
}

// The BCB description follows the file only while it still holds what the
// import wrote: the stored DirectX description. Assignments see the stored values.
QString FollowingDescription(const char* descriptionField)
{
    return QStringLiteral("BCB_Description = CASE WHEN BCB_Description IS NOT DISTINCT FROM %1 THEN ? "
                          "ELSE BCB_Description END")
        .arg(QLatin1String(descriptionField));
}

// One update: the file's lists, their links and what became of each level.
class UpdateRun {
public:
    UpdateRun(catalogue::Database& database, int foundationClass, const ParsedStructures& lists,
              ImportObserver& observer, UpdateSummary& summary)
        : database_(database), foundationClass_(foundationClass), lists_(lists), links_(lists), observer_(observer),
          summary_(summary), records_(database, foundationClass), structures_(lists.Structure_Names.size()),
          members_(lists.Member_Names.size()), flags_(lists.Flag_Names.size())
    {
    }

    void updateStructures();
    void updateMembers();
    void updateFlags();

private:
    std::string structurePath(std::size_t s) const { return std::string(lists_.Structure_Names[s]); }
    std::string memberPath(std::size_t j) const
    {
        return structurePath(links_.memberStructure[j]) + "::" + std::string(lists_.Member_Names[j]);
    }
    std::string flagPath(std::size_t k) const
    {
        return memberPath(links_.flagMember[k]) + "::" + std::string(FirstWord(lists_.Flag_Names[k]));
    }

    catalogue::Database& database_;
    int foundationClass_;
    const ParsedStructures& lists_;
    const ParsedLinks links_;
    ImportObserver& observer_;
    UpdateSummary& summary_;
    ImportedRecords records_;
    Level structures_;
    Level members_;
    Level flags_;
    std::string caption_;   // kept: no allocation a record
    std::string buffer_;
};

void UpdateRun::updateStructures()
{
    const auto& names = lists_.Structure_Names;
    const auto& descriptions = lists_.Structure_Descriptions;
    const auto path = [this](std::size_t s) { return structurePath(s); };
    IndexFileItems(
        structures_, names.size(), [](std::size_t) { return std::size_t(0); },
        [&](std::size_t s) { return names[s]; }, path, RepeatedItem::Level::Structure, summary_.structures, summary_);
    MatchStored(
        database_,
        QStringLiteral("SELECT Structure_Index, 0, Structure_Name, Structure_Description FROM %1 "
                       "WHERE Foundation_Class_Index = ? ORDER BY Structure_Index")
            .arg(catalogue::names::StructuresTable),
        foundationClass_, nullptr, false, structures_,
        [&](const ScannedRow& row, std::size_t s) { return Differs(row.text(3), descriptions[s], buffer_); }, path,
        RepeatedItem::Level::Structure, summary_.structures, summary_);

    records_.beginStructures(structures_.unmatched());
    for (std::size_t s = 0; s < names.size(); ++s) {
        const bool matched = structures_.keys[s] != 0;
        AssignConcat(caption_, Verb(matched), "Structure #", Decimal(static_cast<long long>(s)), ": '", names[s], "'");
        Report(observer_, caption_, matched, structures_.changed[s]);
        if (!matched)
            structures_.keys[s] = records_.structure(names[s], descriptions[s]);
    }
    records_.finish();

    catalogue::RowUpdater update(database_, catalogue::names::StructuresTable, QStringLiteral("Structure_Index"),
                                 {FollowingDescription("Structure_Description"),
                                  QStringLiteral("Structure_Description = ?")});
    for (std::size_t s = 0; s < names.size(); ++s) {
        if (!structures_.changed[s])
            continue;
        update.setText(0, descriptions[s]);
        update.setText(1, descriptions[s]);
        update.update(structures_.keys[s]);
    }
}

void UpdateRun::updateMembers()
{
    const auto& names = lists_.Member_Names;
    const auto& types = lists_.Member_Types;
    const auto& descriptions = links_.memberDescription;
    const auto path = [this](std::size_t j) { return memberPath(j); };
    IndexFileItems(
        members_, names.size(), [&](std::size_t j) { return links_.memberStructure[j]; },
        [&](std::size_t j) { return names[j]; }, path, RepeatedItem::Level::Member, summary_.members, summary_);
    MatchStored(
        database_,
        QStringLiteral("SELECT Member_Index, Structure_Index, Member_Name, Member_Type, Member_Description FROM %1 "
                       "WHERE Foundation_Class_Index = ? ORDER BY Member_Index")
            .arg(catalogue::names::MembersTable),
        foundationClass_, &structures_, false, members_,
        [&](const ScannedRow& row, std::size_t j) {
            return Differs(row.text(3), types[j], buffer_) || Differs(row.text(4), descriptions[j], buffer_);
        },
        path, RepeatedItem::Level::Member, summary_.members, summary_);

    records_.beginMembers(members_.unmatched());
    for (std::size_t j = 0; j < names.size(); ++j) {
        const std::size_t s = links_.memberStructure[j];
        const bool matched = members_.keys[j] != 0;
        AssignConcat(caption_, Verb(matched), "Structure Member #", Decimal(static_cast<long long>(j)), ": '",
                     lists_.Structure_Names[s], "::", names[j], "'");
        Report(observer_, caption_, matched, members_.changed[j]);
        if (!matched)
            members_.keys[j] = records_.member(structures_.keys[s], names[j], types[j], descriptions[j]);
    }
    records_.finish();

    catalogue::RowUpdater update(database_, catalogue::names::MembersTable, QStringLiteral("Member_Index"),
                                 {FollowingDescription("Member_Description"), QStringLiteral("Member_Type = ?"),
                                  QStringLiteral("Member_Description = ?")});
    for (std::size_t j = 0; j < names.size(); ++j) {
        if (!members_.changed[j])
            continue;
        update.setText(0, descriptions[j]);
        update.setText(1, types[j]);
        update.setText(2, descriptions[j]);
        update.update(members_.keys[j]);
    }
}

void UpdateRun::updateFlags()
{
    const auto& rows = lists_.Flag_Names;
    const auto& descriptions = links_.flagDescription;
    const auto path = [this](std::size_t k) { return flagPath(k); };
    IndexFileItems(
        flags_, rows.size(), [&](std::size_t k) { return links_.flagMember[k]; },
        [&](std::size_t k) { return FirstWord(rows[k]); }, path, RepeatedItem::Level::Flag, summary_.flags, summary_);
    MatchStored(
        database_,
        QStringLiteral("SELECT Flag_Index, Member_Index, Flag_Name, Flag_Description FROM %1 "
                       "WHERE Foundation_Class_Index = ? ORDER BY Flag_Index")
            .arg(catalogue::names::FlagsTable),
        foundationClass_, &members_, true, flags_,
        [&](const ScannedRow& row, std::size_t k) {
            return Differs(row.text(2), rows[k], buffer_) || Differs(row.text(3), descriptions[k], buffer_);
        },
        path, RepeatedItem::Level::Flag, summary_.flags, summary_);

    records_.beginFlags(flags_.unmatched());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const std::size_t s = links_.flagStructure[k];
        const std::size_t m = links_.flagMember[k];
        const bool matched = flags_.keys[k] != 0;
        AssignConcat(caption_, Verb(matched), "Structure Member Flag #", Decimal(static_cast<long long>(k)), ": '",
                     lists_.Structure_Names[s], "::", lists_.Member_Names[m], "::", rows[k], "'");
        Report(observer_, caption_, matched, flags_.changed[k]);
        if (!matched)
            flags_.keys[k] = records_.flag(structures_.keys[s], members_.keys[m], rows[k], descriptions[k]);
    }
    records_.finish();

    catalogue::RowUpdater update(database_, catalogue::names::FlagsTable, QStringLiteral("Flag_Index"),
                                 {FollowingDescription("Flag_Description"), QStringLiteral("Flag_Name = ?"),
                                  QStringLiteral("Flag_Description = ?")});
    for (std::size_t k = 0; k < rows.size(); ++k) {
        if (!flags_.changed[k])
            continue;
        update.setText(0, descriptions[k]);
        update.setText(1, rows[k]);
        update.setText(2, descriptions[k]);
        update.update(flags_.keys[k]);
    }
}

} // namespace

CatalogueStructuresUpdater::CatalogueStructuresUpdater(catalogue::Database& database, const int& foundationClassIndex)
    : database_(database), foundationClassIndex_(foundationClassIndex)
{
}

void CatalogueStructuresUpdater::SaveStructures(ParsedStructures& lists, ImportObserver& observer)
{
    TraceSaveStart(lists, observer);
    summary_ = UpdateSummary();
    database_.beginTransaction(catalogue::Database::Writers::OneAtATime);
    try {
        // Parents first: a level matches only under the parents matched before it.
        UpdateRun run(database_, foundationClassIndex_, lists, observer, summary_);
        run.updateStructures();
        run.updateMembers();
        run.updateFlags();
        observer.BeforeCommit();
        database_.commit();
    } catch (...) {
        try {
            database_.rollback();
        } catch (...) {
            // the first error is the one to report
        }
        throw;
    }
    lists = ParsedStructures();
    TraceSaveDone(observer);
}

} // namespace velmora::importsave
