#pragma once

#include <string>

#include "import/ImportDiagnostic.h"

namespace velmora::import {

// Where an import reports what it does. The main window implements it with the
// trace window and DebugLabel; the command-line tool with stdout and stderr.
// Every report is ignored unless overridden, so an ImportObserver itself is the
// observer that keeps nothing.
class ImportObserver {
public:
    virtual ~ImportObserver() = default;

    virtual void SetTraceCaption(const std::string& /*caption*/) {}
    virtual void ClearTrace() {}
    virtual void AppendTrace(std::string /*line*/) {}
    // The status caption (DebugLabel). repaintNow is false only where the import
    // sets a caption without an immediate repaint.
    virtual void SetStatus(const std::string& /*caption*/, bool /*repaintNow*/ = true) {}
    // Shows the trace window and brings it in front.
    virtual void ShowTrace() {}
    // An error report begins: its trace lines follow, the first of them the
    // one to point the user at.
    virtual void BeginErrorReport(const ImportDiagnostic& /*diagnostic*/) {}
};

} // namespace velmora::import
