#include "importsave/SaveTrace.h"

#include "import/ImportObserver.h"
#include "text/TraceText.h"

namespace velmora::importsave {

using text::Decimal;

namespace {

Decimal count(const text::TextList& list)
{
    return Decimal(static_cast<long long>(list.size()));
}

} // namespace

void TraceSaveStart(const import::ParsedStructures& lists, import::ImportObserver& observer)
{
    observer.Trace("");
    observer.Trace("Structures DUMP :-");
    observer.SetStatus("Dumping structures to database");
    observer.Trace("");
    observer.Trace("# of structures names == ", count(lists.Structure_Names));
    observer.Trace("# of structures descriptions == ", count(lists.Structure_Descriptions));
    observer.Trace("# of member names == ", count(lists.Member_Names));
    observer.Trace("# of member types == ", count(lists.Member_Types));
    observer.Trace("# of member descriptions == ", count(lists.Member_Descriptions));
    observer.Trace("# of flag names == ", count(lists.Flag_Names));
    observer.Trace("# of flag descriptions == ", count(lists.Flag_Descriptions));
}

void TraceSaveDone(import::ImportObserver& observer)
{
    observer.Trace("Done. All structures were imported successfully!");
    observer.SetStatus("Done. All structures were imported successfully!");
}

} // namespace velmora::importsave
