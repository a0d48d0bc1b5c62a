#include "import/InterfacesParser.h"

#include "import/DefinitionScope.h"
#include "import/ImportErrorReport.h"
#include "import/ImportObserver.h"
#include "import/IndexTags.h"
#include "import/InterfacePropertyReader.h"
#include "import/InterfaceText.h"
#include "import/InterfaceWorkingLists.h"
#include "import/RowBuffer.h"
#include "import/RowRules.h"
#include "text/NameIndex.h"
#include "text/TraceText.h"

namespace velmora::import {

InterfacesParser::InterfacesParser(RowBuffer& rows, ImportObserver& observer, InterfaceLists& lists)
    : rows_(rows), observer_(observer), lists_(lists)
{
}

bool InterfacesParser::ImportInterfaces(const std::string& path)
{
    observer_.SetTraceCaption("Importing DirectX Interfaces.... debugging output");
    rows_.SetRow(0);
    lists_ = InterfaceLists{};
    work_.emplace();
    // Searched for every row of the interface list and of each Remarks section.
    text::NameIndex interfaceNames(lists_.Interface_Names);
    rows_.NextRow();
    observer_.Trace(">>> determining the various Interfaces included in this file <<<");

    {
        DefinitionScope list(rows_, "the interface list");
        if (!ReadInterfaceList(interfaceNames))
            return false;
    }

    InterfacePropertyReader properties(rows_, observer_, lists_, interfaceNames, path);
    const long long count = static_cast<long long>(lists_.Interface_Names.size());
    for (long long i = 0; i < count; ++i) {
        if (!ReadInterface(i, properties))
            return false;
    }

    const std::string done = text::Concat(text::Decimal(count), " Interfaces were imported SUCCESSFULLY!");
    observer_.Trace(done);
    observer_.SetStatus(done);
    return true;
}

bool InterfacesParser::ReadInterfaceList(text::NameLookup& names)
{
    for (;;) {
        // Checked before each row rather than only after a name was added, so
        // a file that ends right after its type row is not read as a list
        // holding one empty name.
        if (rows_.AtOrPastEnd())
            return Fail("scanned all rows but did not find a Interface name repeated after the 'Interface included in this file' block...");
        observer_.Trace("checking row for a unique Interface name");
        const std::string_view row = rows_.RowRef();
        if (names.Contains(row)) {
            observer_.Trace("found a repetition of a Interface name: '", row,
                            "'... assuming the relevant structure list is finished.");
            return true;
        }
        if (!IsSingleWord(row))
            return Fail("scanned all rows but did not find a Interface name repeated after the 'Interface included in this file' block...");
        observer_.Trace("found a valid Interface name: '", row, "'... adding to internal structures list");
        lists_.Interface_Names.push_back(row);
        rows_.NextRow();
    }
}

bool InterfacesParser::ReadInterface(long long i, InterfacePropertyReader& properties)
{
    CurrentInterface iface;
    iface.index = i;
    iface.name = lists_.Interface_Names[static_cast<std::size_t>(i)];
    iface.indexTag = MakeTag(InterfaceIndexTag, i);
    iface.flagIndexTag = MakeTag(FlagInterfaceIndexTag, i);

    observer_.Trace(">>> parsing Interface definition #", text::Decimal(i), " <<<");
    DefinitionScope definition(rows_, "interface", {}, iface.name);
    InterfaceWorkingLists& work = *work_;
    if (!ReadHeader(iface))
        return false;

    const std::size_t firstProperty = lists_.Property_Names.size();
    if (!ReadPropertyList(iface))
        return false;
    for (std::size_t j = firstProperty; j < lists_.Property_Names.size(); ++j) {
        if (!properties.Read(lists_.Property_Names[j], iface, work))
            return false;
    }

    observer_.Trace(">>>>>> Definition of structure '", iface.name, "' was completed successfully! <<<<<<");
    work.MoveInto(lists_);
    return true;
}

bool InterfacesParser::ReadHeader(const CurrentInterface& iface)
{
    observer_.Trace("Checking Interface name to make sure that a definition is following");
    if (!IsSameText(rows_.RowRef(), iface.name))
        return Fail(text::Concat("Did not find the expected Interface name: '", iface.name, "'"));
    observer_.Trace("name is valid for Interface: '", iface.name, "'...");
    observer_.Trace("... Assuming that a Interface definition for '", iface.name, "' is following");
    observer_.SetStatus(text::Concat("Parsing Interface: '", iface.name, "'"));

    rows_.NextRow();
    observer_.Trace("Assuming row #", text::Decimal(rows_.Current()), " is a description for Interface: '", iface.name,
                    "'");
    lists_.Interface_Descriptions.push_back(rows_.RowRef());
    rows_.NextRow();
    return true;
}

bool InterfacesParser::ReadPropertyList(const CurrentInterface& iface)
{
    observer_.Trace("checking row for a property token...");
    if (Contains(rows_.RowRef(), " "))
        return Fail(text::Concat("property list not found for '", iface.name, "'"));
    observer_.Trace("... property list found ...");
    lists_.Property_Names.push_back(rows_.RowRef());
    rows_.NextRow();
    observer_.Trace("parsing properties...");

    for (;;) {
        if (rows_.AtOrPastEnd())
            return Fail(text::Concat("scanned all rows but did not find the end of the properties list for '",
                                     iface.name, "'"));
        const std::string_view row = rows_.RowRef();
        if (Contains(row, "::") && IsSingleWord(row)) {
            observer_.Trace("Found the end of the properties list.");
            return true;
        }
        lists_.Property_Names.push_back(row);
        rows_.NextRow();
    }
}

bool InterfacesParser::Fail(const std::string& message)
{
    ReportImportError(rows_, observer_, message);
    return false;
}

} // namespace velmora::import
