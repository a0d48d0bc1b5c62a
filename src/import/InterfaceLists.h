#pragma once

#include "text/TextList.h"

namespace velmora::import {

// What an interfaces import keeps in memory. Flag_Names and Flag_Descriptions
// are shared with the structures import: whichever ran last fills them.
struct InterfaceLists {
    text::TextList Interface_Names;
    text::TextList Interface_Descriptions;
    text::TextList Property_Names;
    text::TextList Property_Descriptions;
    text::TextList Property_Return_Types;
    text::TextList Property_Return_Values;
    text::TextList Parameter_Types;
    text::TextList Parameter_Type_Modifiers;
    text::TextList Parameter_Names;
    text::TextList Parameter_Descriptions; // parameters sharing a description share its text
    text::TextList Flag_Names;
    text::TextList Flag_Descriptions;
};

} // namespace velmora::import
