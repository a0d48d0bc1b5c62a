#include "import/InterfaceWorkingLists.h"

#include <iterator>

#include "import/InterfaceLists.h"

namespace velmora::import {

namespace {

void MoveAppend(std::vector<std::string>& from, std::vector<std::string>& to)
{
    to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
    from.clear();
}

} // namespace

void InterfaceWorkingLists::MoveInto(InterfaceLists& lists)
{
    MoveAppend(parameterTypes, lists.Parameter_Types);
    MoveAppend(parameterTypeModifiers, lists.Parameter_Type_Modifiers);
    MoveAppend(parameterNames, lists.Parameter_Names);
    lists.Parameter_Descriptions.Append(parameterDescriptions);
    parameterDescriptions.clear();
    MoveAppend(flagRows, lists.Flag_Names);
    MoveAppend(flagDescriptions, lists.Flag_Descriptions);
}

} // namespace velmora::import
