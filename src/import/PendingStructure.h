#pragma once

#include "import/TextList.h"

namespace velmora::import {

// What one structure definition collects until it completes; only a complete
// definition reaches the import-wide lists.
struct PendingStructure {
    TextList memberNames;
    TextList memberTypes;
    TextList memberDescriptions;   // names sharing a description share its text
    TextList flagNames;
    TextList flagDescriptions;
};

} // namespace velmora::import
