// The row splitter keeps its contract: the same rows whatever the pieces the
// text arrives in. The first byte chooses where the text is cut.
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "import/RowLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    if (size == 0) return 0;
    const std::size_t piece = 1 + data[0] % 16;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);

    import::RowSplitter oneGo(text.size());
    oneGo.Feed(text);
    const import::RowStore whole = oneGo.FinishStore();
    import::RowSplitter splitter;
    for (std::size_t at = 0; at < text.size(); at += piece) splitter.Feed(text.substr(at, piece));
    const import::RowStore pieces = splitter.FinishStore();
    if (pieces.Count() != whole.Count()) std::abort();
    for (std::size_t i = 0; i < whole.Count(); ++i)
        if (pieces[i] != whole[i] || pieces.LineOfRow(i) != whole.LineOfRow(i)) std::abort();
    return 0;
}
