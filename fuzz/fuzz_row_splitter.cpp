// The row splitter keeps its contract: the same rows whatever the pieces the
// text arrives in. The first byte chooses where the text is cut.
#include <cstdlib>
#include <string_view>

#include "FuzzSupport.h"
#include "text/RowLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    if (size == 0) return 0;
    const std::size_t piece = 1 + data[0] % 16;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    text::RowSplitter oneGo(input.size());
    oneGo.Feed(input);
    const text::RowStore whole = oneGo.FinishStore();
    text::RowSplitter splitter;
    for (std::size_t at = 0; at < input.size(); at += piece)
        splitter.Feed(input.substr(at, piece));
    const text::RowStore pieces = splitter.FinishStore();
    if (pieces.Count() != whole.Count()) std::abort();
    for (std::size_t i = 0; i < whole.Count(); ++i)
        if (pieces[i] != whole[i] || pieces.LineOfRow(i) != whole.LineOfRow(i)) std::abort();
    return 0;
}
