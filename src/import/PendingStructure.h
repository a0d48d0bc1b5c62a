#pragma once

#include <string>
#include <vector>

#include "import/TextList.h"

namespace velmora::import {

// What one structure definition collects until it completes; only a complete
// definition reaches the import-wide lists.
struct PendingStructure {
    std::vector<std::string> memberNames;
    std::vector<std::string> memberTypes;
    TextList memberDescriptions;   // names sharing a description share its text
    std::vector<std::string> flagNames;
    std::vector<std::string> flagDescriptions;
};

} // namespace velmora::import
