#pragma once

#include <string>
#include <vector>

#include "support/TextListCompare.h"
#include "import/InterfaceLists.h"
#include "import/InterfacesParser.h"
#include "support/RecordingObserver.h"
#include "import/RowBuffer.h"
#include "support/RowLines.h"

namespace velmora::testing {

// One run of the interfaces parser, entered as the import session enters it:
// rows loaded, cursor on the row after the type row. The lines the session
// traced before the call are dropped, so trace holds the parser's own.
struct InterfacesRun {
    RecordingObserver observer;
    import::RowBuffer rows{observer};
    import::InterfaceLists lists;
    bool succeeded = false;

    explicit InterfacesRun(std::vector<std::string> fileRows, const std::string& path = "/data/widgets.txt")
    {
        rows.Assign(RowsOf(fileRows));
        rows.SetRow(0);
        rows.NextRow();
        observer.trace.clear();
        import::InterfacesParser parser(rows, observer, lists);
        succeeded = parser.ImportInterfaces(path);
    }

    const std::vector<std::string>& trace() const { return observer.trace; }

    // The last n trace lines (all of them when there are fewer).
    std::vector<std::string> Tail(std::size_t n) const
    {
        const auto& t = observer.trace;
        return {t.end() - static_cast<std::ptrdiff_t>(std::min(n, t.size())), t.end()};
    }

    bool Traced(const std::string& line) const
    {
        for (const auto& l : observer.trace)
            if (l == line) return true;
        return false;
    }
};

// Rows of a file: "Interfaces" followed by the given rows.
inline std::vector<std::string> InterfacesFile(std::vector<std::string> rows)
{
    rows.insert(rows.begin(), "Interfaces");
    return rows;
}

} // namespace velmora::testing
