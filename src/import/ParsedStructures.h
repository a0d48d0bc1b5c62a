#pragma once

#include <string>
#include <vector>

namespace velmora::import {

// The seven import-wide lists of a structures import: the whole interface
// between the structures parser and the save.
struct ParsedStructures {
    std::vector<std::string> Structure_Names;
    std::vector<std::string> Structure_Descriptions;
    std::vector<std::string> Member_Names;
    std::vector<std::string> Member_Types;
    std::vector<std::string> Member_Descriptions;   // StructureIndex tag + description
    std::vector<std::string> Flag_Names;
    std::vector<std::string> Flag_Descriptions;     // FlagStructureIndex + FlagMemberIndex tags + description
};

// Receives the lists of a structures file that parsed without error. The GUI and
// the CLI save them into the catalogue; a dry run does nothing.
class StructuresSaveTarget {
public:
    virtual ~StructuresSaveTarget() = default;
    virtual void SaveStructures(ParsedStructures& lists, class ImportObserver& observer) = 0;
};

} // namespace velmora::import
