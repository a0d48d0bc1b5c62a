#pragma once

#include "text/TextList.h"

namespace velmora::import {

// The seven import-wide lists of a structures import: the whole interface
// between the structures parser and the save.
struct ParsedStructures {
    text::TextList Structure_Names;
    text::TextList Structure_Descriptions;
    text::TextList Member_Names;
    text::TextList Member_Types;
    text::TextList Member_Descriptions; // StructureIndex tag + description
    text::TextList Flag_Names;
    text::TextList Flag_Descriptions; // FlagStructureIndex + FlagMemberIndex tags + description
};

// Receives the lists of a structures file that parsed without error. The GUI and
// the CLI save them into the catalogue; a dry run does nothing.
class StructuresSaveTarget {
public:
    virtual ~StructuresSaveTarget() = default;
    virtual void SaveStructures(ParsedStructures& lists, class ImportObserver& observer) = 0;
};

} // namespace velmora::import
