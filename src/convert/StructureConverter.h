#pragma once

#include "convert/ConvertedItem.h"
#include "convert/HeaderReader.h"
#include "convert/ReferencePage.h"

namespace velmora::convert {

// One structure page and its declaration as the definition rows of a
// "Structures" file: from the name row to the last QuickInfo row.
ConvertedItem ConvertStructure(const ReferencePage& page, const HeaderDeclarations& header);

} // namespace velmora::convert
