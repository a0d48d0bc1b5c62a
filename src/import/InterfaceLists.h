#pragma once

#include <string>
#include <vector>

#include "import/TextList.h"

namespace velmora::import {

// What an interfaces import keeps in memory. Flag_Names and Flag_Descriptions
// are shared with the structures import: whichever ran last fills them.
struct InterfaceLists {
    std::vector<std::string> Interface_Names;
    std::vector<std::string> Interface_Descriptions;
    std::vector<std::string> Property_Names;
    std::vector<std::string> Property_Descriptions;
    std::vector<std::string> Property_Return_Types;
    std::vector<std::string> Property_Return_Values;
    std::vector<std::string> Parameter_Types;
    std::vector<std::string> Parameter_Type_Modifiers;
    std::vector<std::string> Parameter_Names;
    TextList Parameter_Descriptions;  // parameters sharing a description share its text
    std::vector<std::string> Flag_Names;
    std::vector<std::string> Flag_Descriptions;
};

} // namespace velmora::import
