#include "import/InterfacePropertyReader.h"

#include "import/DefinitionScope.h"
#include "import/ImportErrorReport.h"
#include "import/ImportObserver.h"
#include "import/InterfaceLists.h"
#include "import/InterfaceText.h"
#include "import/InterfaceWorkingLists.h"
#include "import/ParameterRow.h"
#include "import/RowBuffer.h"
#include "import/RowRules.h"
#include "text/NameIndex.h"
#include "text/TraceText.h"

namespace velmora::import {

InterfacePropertyReader::InterfacePropertyReader(RowBuffer& rows, ImportObserver& observer, InterfaceLists& lists,
                                                 text::NameLookup& interfaceNames, const std::string& path)
    : rows_(rows), observer_(observer), lists_(lists), interfaceNames_(interfaceNames), path_(path),
      descriptions_(rows, observer)
{
}

bool InterfacePropertyReader::Read(std::string_view propertyName, const CurrentInterface& iface,
                                   InterfaceWorkingLists& work)
{
    // Every interface has these three; the reference pages do not describe them.
    if (propertyName == "AddRef" || propertyName == "QueryInterface" || propertyName == "Release")
        return true;

    DefinitionScope method(rows_, "method", iface.name, propertyName);
    if (!ReadHeadingAndDescription(propertyName) || !ReadReturnType())
        return false;

    const std::size_t firstParameter = work.parameterNames.size();
    bool hasParameters = false;
    if (!ReadParameterRows(work, hasParameters))
        return false;
    rows_.NextRow();

    SkipParametersRow();
    if (hasParameters) {
        SkipParametersRow();
        observer_.Trace("attempting to parse the descriptions for the various interface parameters");
        if (!descriptions_.Read(iface, work, firstParameter))
            return false;
        ReadReturnValues();
    }
    ReadReturnValues();

    if (!SkipRemarks())
        return false;
    SkipQuickInfo();
    return true;
}

bool InterfacePropertyReader::ReadHeadingAndDescription(std::string_view propertyName)
{
    observer_.Trace("evaluating for property ", propertyName);
    observer_.Trace("expecting a '::' keyword... comparing...");
    if (!Contains(rows_.RowRef(), "::"))
        return Fail("Did not find the '::' keyword as expected.");
    observer_.Trace("row contained a valid '::' keyword");
    rows_.NextRow();

    if (!Contains(rows_.RowRef(), " "))
        return Fail("Did not find Property Description as expected.");
    lists_.Property_Descriptions.push_back(rows_.RowRef());
    rows_.NextRow();
    return true;
}

bool InterfacePropertyReader::ReadReturnType()
{
    const std::string_view row = rows_.RowRef();
    if (!Contains(row, "("))
        return Fail("Did not find PropertyReturnType line as expected");
    // The first word with the space after it.
    const std::string_view returnType = TextFrom(row, 1, PositionOf(row, " "));
    lists_.Property_Return_Types.push_back(returnType);
    observer_.Trace("Adding PropertyReturnTypes", returnType);
    return true;
}

bool InterfacePropertyReader::ReadParameterRows(InterfaceWorkingLists& work, bool& hasParameters)
{
    hasParameters = false;
    while (!Contains(rows_.RowRef(), ");")) {
        rows_.NextRow();
        hasParameters = true;
        if (rows_.AtOrPastEnd())
            return Fail("scanned all rows but did not find the ');' that ends the prototype");
        const std::string_view row = rows_.RowRef();
        if (Contains(row, ");"))
            break;

        const ParameterRow parts = ParameterRow::Split(row);
        work.parameterNames.push_back(parts.name);
        if (parts.isPointer)
            work.parameterTypeModifiers.push_back(parts.modifier);
        work.parameterTypes.push_back(parts.type);
        TraceParameterRow(observer_, row, parts);
    }
    return true;
}

void InterfacePropertyReader::SkipParametersRow()
{
    if (!IsSameText(rows_.RowRef(), "Parameters"))
        return;
    rows_.NextRow();
    observer_.Trace("Skipping Parameters Line");
}

void InterfacePropertyReader::ReadReturnValues()
{
    if (!IsSameText(rows_.RowRef(), "Return Values"))
        return;
    observer_.Trace("found 'Return Values'");
    rows_.NextRow();
    lists_.Property_Return_Values.push_back(rows_.RowRef());
    observer_.Trace("'Property Return Values' are", rows_.RowRef());
    rows_.NextRow();
}

bool InterfacePropertyReader::SkipRemarks()
{
    if (!IsSameText(rows_.RowRef(), "Remarks"))
        return true;
    while (!IsSameText(rows_.RowRef(), "QuickInfo") && !interfaceNames_.Contains(rows_.RowRef())) {
        rows_.NextRow();
        if (rows_.AtOrPastEnd()) {
            ReportClosingError(
                rows_, observer_, path_,
                text::Concat("Found a 'Remarks' section but did not find the 'QuickInfo' section following",
                             rows_.RowRef()));
            return false;
        }
    }
    return true;
}

void InterfacePropertyReader::SkipQuickInfo()
{
    if (!IsSameText(rows_.RowRef(), "QuickInfo"))
        return;
    // The "QuickInfo" row and the four rows after it.
    rows_.SetRow(rows_.Current() + 5);
    observer_.Trace(" a 'QuickInfo' section");
}

bool InterfacePropertyReader::Fail(std::string_view message)
{
    ReportImportError(rows_, observer_, message);
    return false;
}

} // namespace velmora::import
