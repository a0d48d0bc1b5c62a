#pragma once

#include "import/TextList.h"

namespace velmora::import {

// What an interfaces import keeps in memory. Flag_Names and Flag_Descriptions
// are shared with the structures import: whichever ran last fills them.
struct InterfaceLists {
    TextList Interface_Names;
    TextList Interface_Descriptions;
    TextList Property_Names;
    TextList Property_Descriptions;
    TextList Property_Return_Types;
    TextList Property_Return_Values;
    TextList Parameter_Types;
    TextList Parameter_Type_Modifiers;
    TextList Parameter_Names;
    TextList Parameter_Descriptions;  // parameters sharing a description share its text
    TextList Flag_Names;
    TextList Flag_Descriptions;
};

} // namespace velmora::import
