#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "import/ImportDiagnostic.h"

namespace velmora::import {

// A trace line as the parts it is made of, valid only during the call that
// hands it over: an observer copies the parts to wherever it keeps the line,
// with no joined string in between (a million lines cost no allocation each,
// and a huge row is not copied twice).
struct TraceLine {
    std::span<const std::string_view> parts;

    std::size_t size() const
    {
        std::size_t total = 0;
        for (std::string_view part : parts) total += part.size();
        return total;
    }
    std::string ToString() const
    {
        std::string text;
        text.reserve(size());
        for (std::string_view part : parts) text.append(part);
        return text;
    }
};

// Where an import reports what it does. The main window implements it with the
// trace window and DebugLabel; the command-line tool with stdout and stderr.
// Every report is ignored unless overridden, so an ImportObserver itself is the
// observer that keeps nothing.
class ImportObserver {
public:
    virtual ~ImportObserver() = default;

    virtual void SetTraceCaption(const std::string& /*caption*/) {}
    virtual void ClearTrace() {}
    virtual void AppendTrace(const TraceLine& /*line*/) {}
    // The status caption (DebugLabel). repaintNow is false only where the import
    // sets a caption without an immediate repaint.
    virtual void SetStatus(const std::string& /*caption*/, bool /*repaintNow*/ = true) {}
    // Shows the trace window and brings it in front.
    virtual void ShowTrace() {}
    // An error report begins: its trace lines follow, the first of them the
    // one to point the user at.
    virtual void BeginErrorReport(const ImportDiagnostic& /*diagnostic*/) {}
    // The save is about to commit: everything reported so far must have
    // reached its reader, or this throws and the save stores nothing.
    virtual void BeforeCommit() {}

    // The trace line made of parts: texts, views, Decimal numbers.
    template <typename... Parts>
    void Trace(const Parts&... parts)
    {
        const std::string_view views[] = {std::string_view(parts)...};
        AppendTrace(TraceLine{views});
    }
};

} // namespace velmora::import
