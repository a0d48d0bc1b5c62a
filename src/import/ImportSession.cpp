#include "import/ImportSession.h"

#include "import/ImportErrorReport.h"
#include "import/ImportObserver.h"
#include "import/InterfacesParser.h"
#include "import/StructuresParser.h"
#include "text/RowLoader.h"
#include "text/TraceText.h"

namespace velmora::import {

ImportSession::ImportSession(ImportObserver& observer, StructuresSaveTarget* saveTarget)
    : observer_(observer), saveTarget_(saveTarget), rows_(observer)
{
}

ImportOutcome ImportSession::ImportFile(const std::string& path)
{
    return Import([&] { return text::LoadRowStore(path, &encoding_); }, path);
}

ImportOutcome ImportSession::ImportStream(std::istream& in, const std::string& name)
{
    return Import([&] { return text::LoadRowStore(in, name, &encoding_); }, name);
}

ImportOutcome ImportSession::Import(const std::function<text::RowStore()>& load, const std::string& path)
{
    observer_.SetTraceCaption("Importing DirectX data?Files.... debugging output");
    observer_.ClearTrace();
    rows_.Clear();
    kind_ = ImportKind::None;
    path_ = path;
    encoding_ = text::EncodingNotes();
    rows_.Assign(load());

    const std::string importing = text::Concat("Importing file: '", path, "'.... ");
    observer_.Trace(importing);
    observer_.SetStatus(importing);
    rows_.SetRow(0);
    observer_.Trace(">>> checking for 'Import File Type' definition (ie. Structures, Interfaces, etc. <<<");

    const std::string_view type = rows_.RowRef();
    if (type == "Structures" || type == "Interfaces") {
        observer_.Trace("Found the 'Import File Type' keyword...");
        observer_.Trace("... '", path, "' may be a '", type, "' definition file.... attempting to parse...");
    }
    bool parsed = false;
    if (type == "Structures") {
        kind_ = ImportKind::Structures;
        rows_.NextRow();
        // The flag lists are shared with the interfaces import, which the
        // structures import replaces and discards.
        interfaces_.Flag_Names.clear();
        interfaces_.Flag_Descriptions.clear();
        parsed = StructuresParser(rows_, observer_, saveTarget_).ImportStructures(path);
    } else if (type == "Interfaces") {
        kind_ = ImportKind::Interfaces;
        rows_.NextRow();
        parsed = InterfacesParser(rows_, observer_, interfaces_).ImportInterfaces(path);
    } else {
        ReportImportError(rows_, observer_, "There was no file type definition at the top of the file...");
    }
    return parsed ? ImportOutcome::Succeeded : ImportOutcome::Failed;
}

} // namespace velmora::import
