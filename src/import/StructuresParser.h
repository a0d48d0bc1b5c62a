#pragma once

#include <string>
#include <string_view>

#include "import/ParsedStructures.h"
#include "import/PendingStructure.h"

namespace velmora::import {

class ImportObserver;
class RowBuffer;

// Parses a "Structures" file from the row buffer (cursor on the row after the
// type row) in one forward pass, tracing every step: the structure list, then
// each structure's name, description, declaration, member descriptions, flags
// and closing section. A file that parses whole goes to the save target.
class StructuresParser {
public:
    // saveTarget may be null: the import then ends after the final count.
    StructuresParser(RowBuffer& rows, ImportObserver& observer, StructuresSaveTarget* saveTarget);

    // True when the whole file parsed (and was saved); false after an error report.
    // path is used only in messages.
    bool ImportStructures(const std::string& path);

private:
    bool ReadStructureList();
    bool ReadDefinition(long long s, const std::string& path);
    bool ReadDeclaration(std::string_view name, PendingStructure& pending);
    void ReadMemberRow(std::string_view structureName, PendingStructure& pending);
    bool ReadClosingSection(std::string_view name, const std::string& path);
    void Complete(PendingStructure& pending);
    bool Fail(std::string_view message);

    RowBuffer& rows_;
    ImportObserver& observer_;
    StructuresSaveTarget* saveTarget_;
    ParsedStructures lists_;
    PendingStructure pending_;  // the definition being read; its lists' room serves the next one
    std::string caption_;  // the status caption, rebuilt in place row after row
};

} // namespace velmora::import
