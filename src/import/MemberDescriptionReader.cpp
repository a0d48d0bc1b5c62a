#include "import/MemberDescriptionReader.h"

#include "import/ImportErrorReport.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/PendingStructure.h"
#include "import/RowBuffer.h"
#include "import/RowRules.h"
#include "text/NameIndex.h"
#include "text/TraceText.h"

namespace velmora::import {

MemberDescriptionReader::MemberDescriptionReader(RowBuffer& rows, ImportObserver& observer,
                                                 std::string_view structureName, long long structureNumber,
                                                 std::size_t firstMemberNumber, PendingStructure& pending,
                                                 std::string& caption)
    : rows_(rows), observer_(observer), structureName_(structureName), pending_(pending),
      firstMemberNumber_(firstMemberNumber), descriptionTag_(MakeTag(StructureIndexTag, structureNumber)),
      flagStructureTag_(MakeTag(FlagStructureIndexTag, structureNumber)), caption_(caption),
      memberIndex_(std::make_unique<text::NameIndex<text::TextList>>(pending.memberNames))
{
}

bool MemberDescriptionReader::Read()
{
    observer_.Trace("attempting to parse the descriptions for the various structure members");
    M_ = 0;
    const text::TextList& members = pending_.memberNames;
    while (M_ < members.size()) {
        const std::string_view member = members[M_];
        observer_.Trace("parsing structure member #", text::Decimal(static_cast<long long>(M_)));
        const std::string_view row = rows_.RowRef();
        if (row == "QuickInfo") return Fail("found a 'QuickInfo' section before all member descriptions were defined.");
        if (row == "Remarks") return Fail("found a 'Remarks' section before all member descriptions were defined.");
        observer_.Trace("expecting member name: '", member, "'... checking to make sure that row is a valid member name");
        const bool ok = row == member ? ReadSingleMember(member) : ReadMultiMember(member);
        if (!ok) return false;
    }
    return true;
}

bool MemberDescriptionReader::ReadSingleMember(std::string_view member)
{
    observer_.Trace("found a valid member name: '", member, "'");
    observer_.SetStatus(text::AssignConcat(caption_, "Parsing Structure Member: '", structureName_, "::", member, "'"));
    rows_.NextRow();
    observer_.Trace("assuming row #", text::Decimal(rows_.Current()), " as the description for member: '", member, "'");
    AddMemberDescription(rows_.RowRef());
    rows_.NextRow();
    observer_.Trace("checking to see if flags are declared following the member description");
    if (!IsFlagRow(rows_.RowRef())) {
        observer_.Trace("there are no flags following the member description");
        ++M_;
        return true;
    }
    observer_.Trace("found a flag rule immdediately following the member description.");
    if (!ReadFlags(member)) return false;
    ++M_;
    return true;
}

bool MemberDescriptionReader::ReadFlags(std::string_view member)
{
    do {
        const std::string_view row = rows_.RowRef();
        observer_.Trace("adding a member flag: '", row, "'");
        observer_.SetStatus(
            text::AssignConcat(caption_, "Found Structure Member Flag: '", structureName_, "::", member, "'::", row));
        pending_.flagNames.push_back(row);
        if (const std::size_t space = row.find(' '); space != std::string_view::npos) {
            observer_.Trace("the member flag row also contains the relevant flag description");
            const std::string_view description = TrimLeadingBlanks(row.substr(space + 1));
            observer_.Trace("adding the member flag description: '", description, "'");
            AddFlagDescription(description);
            rows_.NextRow();
        } else {
            // Past the last row the empty text counts as a flag row, so a flag
            // on the last row also ends here.
            if (IsFlagRow(rows_.RowView(rows_.Current() + 1)))
                return Fail("a flag was encountered followed immediately by another flag");
            observer_.Trace("the member flag description is assumed to be on the next row...");
            rows_.NextRow();
            observer_.Trace("adding a member flag description: '", rows_.RowRef(), "'");
            AddFlagDescription(rows_.RowRef());
            rows_.NextRow();
        }
    } while (IsFlagRow(rows_.RowRef()));
    return true;
}

bool MemberDescriptionReader::ReadMultiMember(std::string_view member)
{
    const text::TextList& members = pending_.memberNames;
    observer_.Trace("did not find a member name where expected... checking 'this and that' rules...");
    if (M_ + 1 >= members.size()) return FailMissingMember(member);

    observer_.Trace("...checking 'this and that' rules");
    std::string thisString, thatString;
    if (IsThisAndThat(rows_.RowRef(), *memberIndex_, observer_, thisString, thatString)) {
        observer_.Trace("the row fits the rules for a 'this and that' type description");
        rows_.NextRow();
        observer_.Trace("assuming row #", text::Decimal(rows_.Current()), " is the description for members: '",
                        thisString, "' and '", thatString, "'");
        AddMemberDescription(rows_.RowRef());
        pending_.memberDescriptions.RepeatLast();
        rows_.NextRow();
        M_ += 2;
        return true;
    }

    observer_.Trace(
        "the row did not fit the 'this and that' rule. Checking 'this, that, and something else' rule...");
    ListedNames names;
    if (IsThisThatAndSomethingElse(rows_.RowRef(), *memberIndex_, names)) {
        observer_.Trace("the row fits the rules for a 'this, and that and something else' type description");
        rows_.NextRow();
        // Names beyond the structure's remaining members get no description:
        // one would shift every later member's description.
        const std::size_t remaining = members.size() - M_;
        std::size_t added = 0;
        names.ForEach([&](std::string_view name) {
            if (added < remaining) {
                observer_.Trace("adding member description for member: '", name, "'");
                if (added == 0) AddMemberDescription(rows_.RowRef());
                else pending_.memberDescriptions.RepeatLast();
                ++added;
            } else {
                observer_.Trace("ignoring the extra member name: '", name, "'");
            }
        });
        M_ += added;
        rows_.NextRow();
        return true;
    }

    observer_.Trace("Found the following member names when checking 'this, that, and something else' rule");
    long long i = 0;
    names.ForEach([&](std::string_view name) { observer_.Trace("member #", text::Decimal(i++), "=='", name, "'"); });
    return FailMissingMember(member);
}

void MemberDescriptionReader::AddMemberDescription(std::string_view description)
{
    pending_.memberDescriptions.push_back(text::AssignConcat(entry_, descriptionTag_, description));
}

void MemberDescriptionReader::AddFlagDescription(std::string_view description)
{
    const long long m = static_cast<long long>(firstMemberNumber_ + M_);
    text::AppendConcat(AppendTag(text::AssignConcat(entry_, flagStructureTag_), FlagMemberIndexTag, m), description);
    pending_.flagDescriptions.push_back(entry_);
}

bool MemberDescriptionReader::Fail(std::string_view message)
{
    ReportImportError(rows_, observer_, message);
    return false;
}

bool MemberDescriptionReader::FailMissingMember(std::string_view member)
{
    return Fail(text::Concat("Expected but did not find a particular member name & description: '", structureName_,
                             "::", member, "'"));
}

MemberDescriptionReader::~MemberDescriptionReader() = default;

} // namespace velmora::import
