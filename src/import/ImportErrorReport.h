#pragma once

#include <string_view>

namespace velmora::import {

class ImportObserver;
class RowBuffer;

inline constexpr std::string_view kImportErrorCaption = "AN ERROR OCCURRED. Check debug output for details...";

// The report that ends an import at its first error: the observer hears of it
// (BeginErrorReport, naming the row under the cursor), then "Error:", the
// message, "Error Line: " + the row under the cursor, the trace shown, the
// error caption on the status label.
void ReportImportError(const RowBuffer& rows, ImportObserver& observer, std::string_view message);

// The variant for a missing closing section: BeginErrorReport with text as the
// reason, one line "Could not parse the
// import file '<path>'." + a line feed + text, then "ERROR LINE: " + the row
// under the cursor, the trace shown, and the status label emptied without a
// repaint.
void ReportClosingError(const RowBuffer& rows, ImportObserver& observer, std::string_view path,
                        std::string_view text);

} // namespace velmora::import
