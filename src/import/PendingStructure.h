#pragma once

#include "text/TextList.h"

namespace velmora::import {

// What one structure definition collects until it completes; only a complete
// definition reaches the import-wide lists.
struct PendingStructure {
    text::TextList memberNames;
    text::TextList memberTypes;
    text::TextList memberDescriptions; // names sharing a description share its text
    text::TextList flagNames;
    text::TextList flagDescriptions;
};

} // namespace velmora::import
