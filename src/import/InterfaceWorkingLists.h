#pragma once

#include <string>

#include "text/NameIndex.h"
#include "text/TextList.h"

namespace velmora::import {

struct InterfaceLists;

// The parameter and flag results of the interface being parsed. They reach the
// result lists only when the whole interface has parsed, so a failure leaves
// no half interface behind.
struct InterfaceWorkingLists {
    text::TextList parameterTypes;
    text::TextList parameterTypeModifiers;
    text::TextList parameterNames;
    text::TextList parameterDescriptions; // parameters sharing a description share its text
    text::TextList flagRows;
    text::TextList flagDescriptions;
    text::NameIndex<text::TextList> parameterIndex{parameterNames}; // for the rows that name several parameters

    // Appends every entry to the matching result list and empties this one.
    void MoveInto(InterfaceLists& lists);
};

// The interface whose definition is being read.
struct CurrentInterface {
    long long index = 0;          // position in Interface_Names
    std::string name;
    std::string indexTag;         // MakeTag(InterfaceIndexTag, index)
    std::string flagIndexTag;     // MakeTag(FlagInterfaceIndexTag, index)
};

} // namespace velmora::import
