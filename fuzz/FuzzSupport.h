#pragma once

// What the fuzz targets share: an observer that keeps nothing, and rows cut
// from the fuzzer's bytes without the splitter (so the parsers also meet rows
// the splitter never makes: untrimmed, empty, holding control bytes).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "import/ImportObserver.h"
#include "text/RowStore.h"

namespace velmora::fuzz {

class DiscardingObserver : public import::ImportObserver {
public:
    void SetTraceCaption(const std::string&) override {}
    void ClearTrace() override {}
    void AppendTrace(const import::TraceLine& line) override { bytes_ += line.size(); }
    void SetStatus(const std::string&, bool) override {}
    void ShowTrace() override {}

private:
    std::size_t bytes_ = 0;  // touches every line, so none is optimised away
};

// One row per line of data; the first row is given (the type row).
inline text::RowStore RowsOf(std::string_view typeRow, const std::uint8_t* data, std::size_t size)
{
    text::RowStore rows;
    rows.Append(typeRow);
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t end = text.find('\n'); end != std::string_view::npos; end = text.find('\n')) {
        rows.Append(text.substr(0, end));
        text.remove_prefix(end + 1);
    }
    if (!text.empty()) rows.Append(text);
    return rows;
}

} // namespace velmora::fuzz
