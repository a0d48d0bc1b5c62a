#pragma once

#include <string>
#include <string_view>

namespace velmora::import {

// One row of a prototype's parameter list taken apart, e.g.
// 'LPWIDGET FAR *lplpWidget,' -> type 'LPWIDGET', modifier 'FAR *', name 'lplpWidget'.
struct ParameterRow {
    std::string_view type;      // before the first space
    bool isPointer = false;     // the row holds a "*"
    std::string_view modifier;  // after the first space up to and including the "*"
    std::string_view rawName;   // the name as cut from the row, before trimming
    std::string_view name;      // rawName without leading blanks

    // The views point into row, which must outlive the result.
    static ParameterRow Split(std::string_view row);
};

class ImportObserver;

// Traces the two lines that record a parameter row.
void TraceParameterRow(ImportObserver& observer, std::string_view row, const ParameterRow& parts);

} // namespace velmora::import
