// The structures parser fed rows directly, with no catalogue behind it.
#include "FuzzSupport.h"
#include "import/RowBuffer.h"
#include "import/StructuresParser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    fuzz::DiscardingObserver observer;
    import::RowBuffer rows(observer);
    rows.Assign(fuzz::RowsOf("Structures", data, size));
    rows.SetRow(1);
    import::StructuresParser(rows, observer, nullptr).ImportStructures("fuzz.txt");
    return 0;
}
