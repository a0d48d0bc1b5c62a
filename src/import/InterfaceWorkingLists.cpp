#include "import/InterfaceWorkingLists.h"

#include <utility>

#include "import/InterfaceLists.h"

namespace velmora::import {

void InterfaceWorkingLists::MoveInto(InterfaceLists& lists)
{
    lists.Parameter_Types.Append(std::move(parameterTypes));
    lists.Parameter_Type_Modifiers.Append(std::move(parameterTypeModifiers));
    lists.Parameter_Names.Append(std::move(parameterNames));
    lists.Parameter_Descriptions.Append(std::move(parameterDescriptions));
    lists.Flag_Names.Append(std::move(flagRows));
    lists.Flag_Descriptions.Append(std::move(flagDescriptions));
}

} // namespace velmora::import
