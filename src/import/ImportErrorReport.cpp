#include "import/ImportErrorReport.h"

#include "import/DefinitionScope.h"
#include "import/ImportObserver.h"
#include "import/RowBuffer.h"
#include "text/TraceText.h"

namespace velmora::import {

namespace {

// The diagnostic quotes a row so that the user recognises it, not to hold it:
// a row of a gigabyte would otherwise be copied twice more on its way to the
// terminal. The trace keeps the whole row.
constexpr std::size_t kQuotedRowBytes = 240;

std::string QuotedRow(std::string_view row)
{
    if (row.size() <= kQuotedRowBytes) return std::string(row);
    std::size_t cut = kQuotedRowBytes;
    while (cut > 0 && (static_cast<unsigned char>(row[cut]) & 0xC0) == 0x80) --cut;  // not inside a UTF-8 sequence
    return text::Concat(row.substr(0, cut), "... (", text::Decimal(static_cast<long long>(row.size() - cut)),
                        " more bytes)");
}

// The layout's message past the last row names no line: the note tells what
// the file's early end cut short, and where it began.
std::string EndOfFileNote(const RowBuffer& rows)
{
    const DefinitionScope* open = rows.OpenDefinition();
    if (!rows.AtOrPastEnd() || !open)
        return {};
    if (open->StartRow() >= rows.Count())
        return text::Concat("the file ends before the definition of ", open->Describe());
    return text::Concat("the file ends inside the definition of ", open->Describe(), ", which starts at line ",
                  text::Decimal(static_cast<long long>(rows.LineOf(open->StartRow()))));
}

void BeginReport(const RowBuffer& rows, ImportObserver& observer, std::string_view reason)
{
    ImportDiagnostic diagnostic{std::string(reason), rows.Current(), rows.LineOf(rows.Current()),
                                QuotedRow(rows.RowRef()), EndOfFileNote(rows)};
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
