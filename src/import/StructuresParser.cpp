#include "import/StructuresParser.h"

#include <utility>

#include "import/DefinitionScope.h"
#include "import/ImportErrorReport.h"
#include "import/ImportObserver.h"
#include "import/MemberDescriptionReader.h"
#include "import/PendingStructure.h"
#include "import/RowBuffer.h"
#include "import/RowRules.h"
#include "text/NameIndex.h"
#include "text/TraceText.h"

namespace velmora::import {

namespace {

// Moves every entry over and empties from.
void AppendAll(text::TextList& to, text::TextList& from)
{
    to.Append(std::move(from));
}

} // namespace

StructuresParser::StructuresParser(RowBuffer& rows, ImportObserver& observer, StructuresSaveTarget* saveTarget)
    : rows_(rows), observer_(observer), saveTarget_(saveTarget)
{
}

bool StructuresParser::ImportStructures(const std::string& path)
{
    lists_ = ParsedStructures();
    pending_ = PendingStructure();
    observer_.Trace(">>> determining the various structures included in this file <<<");
    {
        DefinitionScope list(rows_, "the structure list");
        if (!ReadStructureList())
            return false;
    }

    for (std::size_t s = 0; s < lists_.Structure_Names.size(); ++s)
        if (!ReadDefinition(static_cast<long long>(s), path)) return false;

    const std::string count = text::Concat(text::Decimal(static_cast<long long>(lists_.Structure_Names.size())),
                                           " structures were imported SUCCESSFULLY!");
    observer_.Trace(count);
    observer_.SetStatus(count);
    if (saveTarget_) saveTarget_->SaveStructures(lists_, observer_);
    lists_ = ParsedStructures();
    return true;
}

bool StructuresParser::ReadStructureList()
{
    // The index is needed only while the list is read.
    text::NameIndex names(lists_.Structure_Names);
    constexpr std::string_view listError =
        "scanned all rows but did not find a structure name repeated after the 'Structures included in this file' "
        "block...";
    for (;;) {
        observer_.Trace("checking row for a unique structure name");
        const std::string_view row = rows_.RowRef();
        if (names.Contains(row)) {
            observer_.Trace("found a repetition of a structure name: '", row,
                            "'... assuming the relevant structure list is finished.");
            return true;
        }
        if (!IsSingleWord(row)) return Fail(listError);
        observer_.Trace("found a valid structure name: '", row, "'... adding to internal structures list");
        lists_.Structure_Names.push_back(row);
        rows_.NextRow();
        if (rows_.AtOrPastEnd()) return Fail(listError);
    }
}

bool StructuresParser::ReadDefinition(long long s, const std::string& path)
{
    // Structure_Names does not change until the save, so the view stays valid.
    const std::string_view name = lists_.Structure_Names[static_cast<std::size_t>(s)];
    observer_.Trace(">>> parsing structure definition #", text::Decimal(s), " <<<");
    DefinitionScope definition(rows_, "structure", {}, name);
    PendingStructure& pending = pending_;

    observer_.Trace("Checking structure name to make sure that a definition is following");
    if (rows_.RowRef() != name)
        return Fail(text::Concat("Did not find the expected structure name: '", name, "'"));
    observer_.Trace("name is valid for structure: '", name, "'...");
    observer_.Trace("... Assuming that a structure definition for '", name, "' is following");
    observer_.SetStatus(text::AssignConcat(caption_, "Parsing Structure: '", name, "'"));

    rows_.NextRow();
    observer_.Trace("Assuming row #", text::Decimal(rows_.Current()), " is a description for structure: '", name, "'");
    lists_.Structure_Descriptions.push_back(rows_.RowRef());
    rows_.NextRow();

    if (!ReadDeclaration(name, pending)) return false;

    {
        // The reader's index of the member names goes before the lists grow.
        MemberDescriptionReader members(rows_, observer_, name, s, lists_.Member_Names.size(), pending, caption_);
        if (!members.Read()) return false;
    }
    if (!ReadClosingSection(name, path)) return false;
    Complete(pending);
    return true;
}

bool StructuresParser::ReadDeclaration(std::string_view name, PendingStructure& pending)
{
    observer_.Trace("checking row for a 'struct' construct...");
    if (!IsStructRow(rows_.RowRef()))
        return Fail(text::Concat("There is no starting point for the 'struct' definition for the object '", name, "'"));
    observer_.Trace("... a 'struct' code declaration has been found...");
    rows_.NextRow();
    int unionDepth = 0;
    observer_.Trace("parsing 'struct' definition...");

    for (;;) {
        const std::string_view row = rows_.RowRef();
        if (IsStructEndRow(row)) {
            observer_.Trace("Found the end of the 'struct' code declaration.");
            rows_.NextRow();
            break;
        }
        if (IsUnionRow(row)) {
            observer_.Trace("Found the start of a 'union' declaration... ignoring the 'union' row...");
            rows_.NextRow();
            ++unionDepth;
        } else if (unionDepth > 0 && IsOpenBraceRow(row)) {
            observer_.Trace("ignoring row because it contains a '{' within a 'union' declaration");
            rows_.NextRow();
        } else if (unionDepth > 0 && IsUnionEndRow(row)) {
            observer_.Trace("Found the end of a 'union' declaration");
            rows_.NextRow();
            --unionDepth;
        } else {
            ReadMemberRow(name, pending);
            rows_.NextRow();
            if (rows_.AtOrPastEnd()) return Fail("scanned all rows but did not find the end of the 'struct' declaration.");
        }
    }

    observer_.Trace("expecting a 'Members' keyword... comparing...");
    if (rows_.RowRef() != "Members") return Fail("Did not find the 'Members' keyword as expected.");
    observer_.Trace("row contained a valid 'Members' keyword");
    rows_.NextRow();
    return true;
}

void StructuresParser::ReadMemberRow(std::string_view structureName, PendingStructure& pending)
{
    const std::string_view row = rows_.RowRef();
    const std::size_t space = row.find(' ');
    const std::string_view type = space == std::string_view::npos ? std::string_view() : row.substr(0, space);
    observer_.Trace("found a structure member type: '", type, "'");
    pending.memberTypes.PushBackShared(type);  // runs of one type are common

    std::string_view name = TrimLeadingBlanks(space == std::string_view::npos ? row : row.substr(space + 1));
    name = name.substr(0, name.find(';'));
    observer_.Trace("found a structure member name: '", name, "'");
    observer_.SetStatus(text::AssignConcat(caption_, "Parsing Structure: '", structureName, "':: Found Member:'", type,
                                           "  ", name, "'"));
    pending.memberNames.push_back(name);
}

bool StructuresParser::ReadClosingSection(std::string_view name, const std::string& path)
{
    if (rows_.RowRef() == "Remarks") {
        do {
            rows_.NextRow();
            if (rows_.AtOrPastEnd()) {
                ReportClosingError(rows_, observer_, path,
                                   "Found a 'Remarks' section but did not find the 'QuickInfo' section following");
                return false;
            }
        } while (rows_.RowRef() != "QuickInfo");
    }
    if (rows_.RowRef() != "QuickInfo") {
        ReportClosingError(rows_, observer_, path, "Could not find a 'QuickInfo' section");
        return false;
    }
    // The "QuickInfo" row and the four after it.
    rows_.SetRow(rows_.Current() + 5);
    observer_.Trace(">>>>>> Definition of structure '", name, "' was completed successfully! <<<<<<");
    return true;
}

void StructuresParser::Complete(PendingStructure& pending)
{
    AppendAll(lists_.Flag_Descriptions, pending.flagDescriptions);
    AppendAll(lists_.Flag_Names, pending.flagNames);
    AppendAll(lists_.Member_Descriptions, pending.memberDescriptions);
    AppendAll(lists_.Member_Types, pending.memberTypes);
    AppendAll(lists_.Member_Names, pending.memberNames);
}

bool StructuresParser::Fail(std::string_view message)
{
    ReportImportError(rows_, observer_, message);
    return false;
}

} // namespace velmora::import
