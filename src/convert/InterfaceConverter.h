#pragma once

#include <vector>

#include "convert/ConvertedItem.h"
#include "convert/HeaderReader.h"
#include "convert/ReferencePage.h"

namespace velmora::convert {

// Interface pages with their method pages as the definitions of an
// "Interfaces" file, one item per interface page, in the order given.
std::vector<ConvertedItem> ConvertInterfaces(const std::vector<ReferencePage>& interfaces,
                                             const std::vector<ReferencePage>& methods,
                                             const HeaderDeclarations& header);

} // namespace velmora::convert
