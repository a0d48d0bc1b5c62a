#include "cli/output/UpdateReport.h"

#include "importsave/UpdateSummary.h"

namespace velmora::cli {

namespace {

using importsave::RepeatedItem;
using importsave::UpdateCounts;
using importsave::UpdateSummary;

std::string levels(const UpdateSummary& s, long long UpdateCounts::*count)
{
    return std::to_string(s.structures.*count) + " structures, " + std::to_string(s.members.*count) + " members, " +
           std::to_string(s.flags.*count) + " flags";
}

const char* levelName(RepeatedItem::Level level)
{
    switch (level) {
    case RepeatedItem::Level::Structure:
        return "structure";
    case RepeatedItem::Level::Member:
        return "member";
    case RepeatedItem::Level::Flag:
        break;
    }
    return "flag";
}

} // namespace

std::string UpdateNotes(const std::string& file, const UpdateSummary& summary)
{
    std::string notes;
    for (const RepeatedItem& item : summary.repeats) {
        notes += file + ": note: ";
        if (item.where == RepeatedItem::Where::Catalogue)
            notes += std::string("the catalogue holds the ") + levelName(item.level) + " '" + item.path +
                     "' more than once: number " + std::to_string(item.matchedKey) + " was matched, number " +
                     std::to_string(item.otherKey) + " is left as it is\n";
        else
            notes += std::string("the file names the ") + levelName(item.level) + " '" + item.path +
                     "' more than once in its parent: the first was matched, this one is added\n";
    }
    if (const auto more = summary.repeatsFound - static_cast<long long>(summary.repeats.size()); more > 0)
        notes += file + ": note: " + std::to_string(more) + " more names found twice\n";
    return notes;
}

std::string UpdateTotals(const UpdateSummary& s)
{
    std::string totals = "updated: " + std::to_string(s.structures.updated) + " structures (" +
                         std::to_string(s.structures.changed) + " changed), " + std::to_string(s.members.updated) +
                         " members (" + std::to_string(s.members.changed) + " changed), " +
                         std::to_string(s.flags.updated) + " flags (" + std::to_string(s.flags.changed) + " changed)\n";
    totals += "added: " + levels(s, &UpdateCounts::added) + "\n";
    totals += "kept without a counterpart in the file: " + levels(s, &UpdateCounts::kept) + "\n";
    if (s.structures.storedTwice + s.members.storedTwice + s.flags.storedTwice > 0)
        totals += "stored more than once, left as they are: " + levels(s, &UpdateCounts::storedTwice) + "\n";
    if (s.structures.fileTwice + s.members.fileTwice + s.flags.fileTwice > 0)
        totals += "named more than once in the file, added: " + levels(s, &UpdateCounts::fileTwice) + "\n";
    return totals;
}

std::string AlreadyStoredNote(const std::string& file, long long stored, long long structures,
                              const std::string& foundationClass)
{
    return file + ": note: " + std::to_string(stored) + " of the file's " + std::to_string(structures) +
           " structures were in " + foundationClass +
           " already and are now stored once more; 'velmora-cli import --update' updates them in place instead\n";
}

} // namespace velmora::cli
