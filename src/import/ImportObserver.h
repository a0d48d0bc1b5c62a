#pragma once

#include <string>

namespace velmora::import {

// Where an import reports what it does. The main window implements it with the
// trace window and DebugLabel; the command-line tool with stdout and stderr.
class ImportObserver {
public:
    virtual ~ImportObserver() = default;

    virtual void SetTraceCaption(const std::string& caption) = 0;
    virtual void ClearTrace() = 0;
    virtual void AppendTrace(std::string line) = 0;
    // The status caption (DebugLabel). repaintNow is false only where the import
    // sets a caption without an immediate repaint.
    virtual void SetStatus(const std::string& caption, bool repaintNow = true) = 0;
    // Shows the trace window and brings it in front.
    virtual void ShowTrace() = 0;
};

} // namespace velmora::import
