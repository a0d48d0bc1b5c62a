#include "import/ImportErrorReport.h"

#include "import/ImportObserver.h"
#include "import/RowBuffer.h"
#include "import/TraceText.h"

namespace velmora::import {

namespace {

void BeginReport(const RowBuffer& rows, ImportObserver& observer, std::string_view reason)
{
    ImportDiagnostic diagnostic{std::string(reason), rows.Current(), rows.LineOf(rows.Current()),
                                std::string(rows.RowRef())};
    for (char& c : diagnostic.reason) {
        if (c == '\n') c = ' ';
    }
    observer.BeginErrorReport(diagnostic);
}

} // namespace

void ReportImportError(const RowBuffer& rows, ImportObserver& observer, std::string_view message)
{
    BeginReport(rows, observer, message);
    observer.Trace("Error:");
    observer.Trace(message);
    observer.Trace("Error Line: ", rows.RowRef());
    observer.ShowTrace();
    observer.SetStatus(std::string(kImportErrorCaption), true);
}

void ReportClosingError(const RowBuffer& rows, ImportObserver& observer, std::string_view path,
                        std::string_view text)
{
    BeginReport(rows, observer, text);
    observer.Trace("Could not parse the import file '", path, "'.\n", text);
    observer.Trace("ERROR LINE: ", rows.RowRef());
    observer.ShowTrace();
    observer.SetStatus(std::string(), false);
}

} // namespace velmora::import
