#pragma once

#include <string>
#include <vector>

#include "convert/ConvertedItem.h"

namespace velmora::convert {

// A member or parameter as its description block will be written.
struct DescribedEntry {
    std::string name; // as declared
    std::string description; // one row
    std::vector<std::string> flagRows; // "FLAG description"
};

// The description blocks of a structure's members or a method's parameters, in
// order. A name without lowercase letters ("X") would read as a flag row after
// the block before it, so such an entry joins the one before it in a pair row
// ("Width and X") or list row ("A, B, and C") with their descriptions on one
// row; flags of a joined entry are lost, since the layout reads flags only
// after a single name. Returns the number of flag rows written.
int AppendDescriptionBlocks(ConvertedItem& item, ItemKind kind, const std::vector<DescribedEntry>& entries,
                            std::vector<std::string>& out);

} // namespace velmora::convert
