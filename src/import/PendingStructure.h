#pragma once

#include <string>
#include <vector>

namespace velmora::import {

// What one structure definition collects until it completes; only a complete
// definition reaches the import-wide lists.
struct PendingStructure {
    std::vector<std::string> memberNames;
    std::vector<std::string> memberTypes;
    std::vector<std::string> memberDescriptions;
    std::vector<std::string> flagNames;
    std::vector<std::string> flagDescriptions;
};

} // namespace velmora::import
