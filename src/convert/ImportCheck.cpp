#include "convert/ImportCheck.h"

#include <optional>
#include <sstream>

#include "import/ImportObserver.h"
#include "import/ImportSession.h"
#include "import/ParsedStructures.h"

namespace velmora::convert {

namespace {

// Hears only the error report: the check needs no trace.
class DiagnosticObserver : public import::ImportObserver {
public:
    void ClearTrace() override { diagnostic.reset(); }
    void BeginErrorReport(const import::ImportDiagnostic& report) override { diagnostic = report; }

    std::optional<import::ImportDiagnostic> diagnostic;
};

class CountingTarget : public import::StructuresSaveTarget {
public:
    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver&) override
    {
        structures = lists.Structure_Names.size();
        members = lists.Member_Names.size();
        flags = lists.Flag_Names.size();
    }
    std::size_t structures = 0, members = 0, flags = 0;
};

std::string Described(const std::optional<import::ImportDiagnostic>& diagnostic)
{
    if (!diagnostic) return "the import failed without a report";
    if (diagnostic->line == 0) return diagnostic->reason + " (the rows ran out)";
    return "line " + std::to_string(diagnostic->line) + ": " + diagnostic->reason + ": '" + diagnostic->text + "'";
}

} // namespace

ImportCheck CheckWithImport(const std::vector<std::string>& rows)
{
    std::ostringstream text;
    for (const std::string& row : rows) text << row << '\n';
    std::istringstream in(text.str());
    DiagnosticObserver observer;
    CountingTarget counts;
    import::ImportSession session(observer, &counts);
    ImportCheck check;
    check.succeeded = session.ImportStream(in, "<converted>") == import::ImportOutcome::Succeeded;
    if (!check.succeeded) check.error = Described(observer.diagnostic);
    if (session.Kind() == import::ImportKind::Interfaces) {
        const import::InterfaceLists& lists = session.Interfaces();
        check.items = lists.Interface_Names.size();
        check.members = lists.Parameter_Names.size();
        check.flags = lists.Flag_Names.size();
    } else {
        check.items = counts.structures;
        check.members = counts.members;
        check.flags = counts.flags;
    }
    return check;
}

} // namespace velmora::convert
