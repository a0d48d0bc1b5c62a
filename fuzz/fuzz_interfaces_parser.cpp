// The interfaces parser fed rows directly.
#include "FuzzSupport.h"
#include "import/InterfaceLists.h"
#include "import/InterfacesParser.h"
#include "import/RowBuffer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    fuzz::DiscardingObserver observer;
    import::RowBuffer rows(observer);
    import::InterfaceLists lists;
    rows.Assign(fuzz::RowsOf("Interfaces", data, size));
    rows.SetRow(1);
    import::InterfacesParser(rows, observer, lists).ImportInterfaces("fuzz.txt");
    return 0;
}
