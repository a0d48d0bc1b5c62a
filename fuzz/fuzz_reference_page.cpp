// The converter on the fuzzer's bytes: a reference page (front matter and
// markdown body) into the page model, the same bytes as an SDK header, and the
// whole conversion of the bytes as a page against them as a header. A page the
// reader refuses is a PageError, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "convert/Converter.h"
#include "convert/HeaderReader.h"
#include "convert/PageReader.h"
#include "convert/ReferencePage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        convert::ReadReferencePage(convert::ReadPage(text), "fuzz.md");
    } catch (const convert::PageError&) {
    }
    convert::ReadHeader(text);
    convert::Convert({std::string(text)}, {{"fuzz.md", std::string(text)}});
    return 0;
}
