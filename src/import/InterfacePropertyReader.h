#pragma once

#include <string>
#include <string_view>

#include "import/ParameterDescriptionReader.h"

namespace velmora::text {
class NameLookup;
}

namespace velmora::import {

class ImportObserver;
class RowBuffer;
struct CurrentInterface;
struct InterfaceLists;
struct InterfaceWorkingLists;

// Reads the rows of one property of an interface: heading, description,
// prototype with its parameter rows, parameter descriptions and the Return
// Values, Remarks and QuickInfo sections.
class InterfacePropertyReader {
public:
    InterfacePropertyReader(RowBuffer& rows, ImportObserver& observer, InterfaceLists& lists,
                            text::NameLookup& interfaceNames, const std::string& path);

    // False after an error report.
    bool Read(std::string_view propertyName, const CurrentInterface& iface, InterfaceWorkingLists& work);

private:
    bool ReadHeadingAndDescription(std::string_view propertyName);
    bool ReadReturnType();
    // Returns false after an error report; hasParameters tells whether rows
    // between the prototype and ");" were taken apart.
    bool ReadParameterRows(InterfaceWorkingLists& work, bool& hasParameters);
    void SkipParametersRow();
    void ReadReturnValues();
    bool SkipRemarks();
    void SkipQuickInfo();
    bool Fail(std::string_view message);

    RowBuffer& rows_;
    ImportObserver& observer_;
    InterfaceLists& lists_;
    text::NameLookup& interfaceNames_;
    const std::string& path_;
    ParameterDescriptionReader descriptions_;
};

} // namespace velmora::import
