#pragma once

#include <optional>
#include <string>

#include "import/InterfaceLists.h"
#include "import/InterfaceWorkingLists.h"

namespace velmora::text {
class NameLookup;
}

namespace velmora::import {

class ImportObserver;
class InterfacePropertyReader;
class RowBuffer;

// Parses an "Interfaces" file from the row buffer (cursor on the row after the
// type row), tracing every step. Nothing of it reaches the catalogue.
class InterfacesParser {
public:
    InterfacesParser(RowBuffer& rows, ImportObserver& observer, InterfaceLists& lists);

    // True when the whole file parsed; false after an error report.
    bool ImportInterfaces(const std::string& path);

private:
    bool ReadInterfaceList(text::NameLookup& names);
    bool ReadInterface(long long i, InterfacePropertyReader& properties);
    bool ReadHeader(const CurrentInterface& iface);
    bool ReadPropertyList(const CurrentInterface& iface);
    bool Fail(const std::string& message);

    RowBuffer& rows_;
    ImportObserver& observer_;
    InterfaceLists& lists_;
    // The interface being read; its lists' room serves the next one.
    std::optional<InterfaceWorkingLists> work_;
};

} // namespace velmora::import
