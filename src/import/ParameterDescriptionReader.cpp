#include "import/ParameterDescriptionReader.h"

#include "import/ImportErrorReport.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/InterfaceText.h"
#include "import/InterfaceWorkingLists.h"
#include "import/RowBuffer.h"
#include "import/RowRules.h"
#include "text/TraceText.h"

namespace velmora::import {

ParameterDescriptionReader::ParameterDescriptionReader(RowBuffer& rows, ImportObserver& observer)
    : rows_(rows), observer_(observer)
{
}

bool ParameterDescriptionReader::Read(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t first)
{
    const std::size_t count = work.parameterNames.size();
    std::size_t k = first;
    while (k < count) {
        observer_.Trace("parsing Property parameter  #", text::Decimal(static_cast<long long>(k)));
        if (IsSameText(rows_.RowRef(), "QuickInfo"))
            return Fail("found a 'QuickInfo' section before all parameter descriptions were defined.");
        if (IsSameText(rows_.RowRef(), "Remarks"))
            return Fail("found a 'Remarks' section before all parameter descriptions were defined.");

        const std::string_view p = work.parameterNames[k];
        observer_.Trace("expecting parameter name: '", p, "'... checking to make sure that row is a valid parameter name");
        if (IsSameText(rows_.RowRef(), p)) {
            if (!ReadOne(iface, work, k))
                return false;
            ++k;
        } else {
            const std::size_t described = ReadShared(iface, work, k);
            if (described == 0)
                return false;
            k += described;
        }
    }
    return true;
}

bool ParameterDescriptionReader::ReadOne(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t k)
{
    const std::string_view p = work.parameterNames[k];
    observer_.Trace("found a valid parameter name: '", p, "'");
    observer_.SetStatus(text::AssignConcat(caption_, "Parsing Interface Parameter: '", iface.name, "::", p, "'"));

    rows_.NextRow();
    observer_.Trace("assuming row #", text::Decimal(rows_.Current()), " as the description for parameter: '", p, "'");
    work.parameterDescriptions.push_back(text::AssignConcat(entry_, iface.indexTag, rows_.RowRef()));
    rows_.NextRow();

    observer_.Trace("checking to see if flags are declared following the parameter description");
    if (!IsFlagRow(rows_.RowRef())) {
        observer_.Trace("there are no flags following the parameter description");
        return true;
    }
    observer_.Trace("found a flag rule immdediately following the parameter description.");
    return ReadFlags(iface, work, k);
}

bool ParameterDescriptionReader::ReadFlags(const CurrentInterface& iface, InterfaceWorkingLists& work, std::size_t k)
{
    const std::string_view p = work.parameterNames[k];
    const std::string tags =
        text::Concat(iface.flagIndexTag, MakeTag(FlagParameterIndexTag, static_cast<long long>(k)));
    // Each round consumes at least one row or fails, and past the end the empty
    // row is a flag row without a description, so the run always ends.
    while (IsFlagRow(rows_.RowRef())) {
        const std::string_view row = rows_.RowRef();
        observer_.Trace("adding a parameter flag: '", row, "'");
        observer_.SetStatus(
            text::AssignConcat(caption_, "Found Interface Parameter Flag: '", iface.name, "::", p, "'::", row));
        work.flagRows.push_back(row);

        const std::size_t space = row.find(' ');
        if (space != std::string_view::npos) {
            observer_.Trace("the parameter flag row also contains the relevant flag description");
            const std::string_view description = TrimLeadingBlanks(row.substr(space + 1));
            observer_.Trace("adding the parameter flag description: '", description, "'");
            work.flagDescriptions.push_back(text::Concat(tags, description));
            rows_.NextRow();
            continue;
        }
        if (IsFlagRow(rows_.RowView(rows_.Current() + 1)))
            return Fail("a flag was encountered followed immediately by another flag with no descriptions !");
        observer_.Trace("the parameter flag description is assumed to be on the next row...");
        rows_.NextRow();
        observer_.Trace("adding a parameter flag description: '", rows_.RowRef(), "'");
        work.flagDescriptions.push_back(text::Concat(tags, rows_.RowRef()));
        rows_.NextRow();
    }
    return true;
}

std::size_t ParameterDescriptionReader::ReadShared(const CurrentInterface& iface, InterfaceWorkingLists& work,
                                                   std::size_t k)
{
    const std::string_view p = work.parameterNames[k];
    const auto missing = [&] {
        return text::Concat("Expected but did not find a particular parameter name & description: '", iface.name,
                            "::", p, "'");
    };
    observer_.Trace("did not find a parameter name where expected... checking 'this and that' rules...");
    if (k + 1 >= work.parameterNames.size()) {
        Fail(missing());
        return 0;
    }

    observer_.Trace("...checking 'this and that' rules");
    if (IsThisAndThat(rows_.RowRef(), work.parameterIndex, observer_, thisString_, thatString_)) {
        observer_.Trace("the row fits the rules for a 'this and that' type description");
        rows_.NextRow();
        observer_.Trace("assuming row #", text::Decimal(rows_.Current()), " is the description for parameters: '",
                        thisString_, "' and '", thatString_, "'");
        work.parameterDescriptions.push_back(text::AssignConcat(entry_, iface.indexTag, rows_.RowRef()));
        work.parameterDescriptions.RepeatLast();
        rows_.NextRow();
        return 2;
    }

    observer_.Trace("the row did not fit the 'this and that' rule. Checking 'this, that, and something else' rule...");
    ListedNames names;
    if (IsThisThatAndSomethingElse(rows_.RowRef(), work.parameterIndex, names)) {
        observer_.Trace("the row fits the rules for a 'this, and that and something else' type description");
        rows_.NextRow();
        // One copy of the description, however many names share it.
        std::size_t described = 0;
        names.ForEach([&](std::string_view entry) {
            observer_.Trace("adding parameter description for parameter: '", entry, "'");
            if (described++ == 0)
                work.parameterDescriptions.push_back(text::AssignConcat(entry_, iface.indexTag, rows_.RowRef()));
            else work.parameterDescriptions.RepeatLast();
        });
        rows_.NextRow();
        // Holds only when a name of the row is a parameter name, so at least one.
        return described;
    }

    observer_.Trace("Found the following parameter names when checking 'this, that, and something else' rule");
    long long m = 0;
    names.ForEach(
        [&](std::string_view entry) { observer_.Trace("parameter #", text::Decimal(m++), "=='", entry, "'"); });
    Fail(missing());
    return 0;
}

bool ParameterDescriptionReader::Fail(std::string message)
{
    ReportImportError(rows_, observer_, message);
    return false;
}

} // namespace velmora::import
