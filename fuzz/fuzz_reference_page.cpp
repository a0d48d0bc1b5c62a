// The converter's readers on the fuzzer's bytes: a reference page (front matter
// and markdown body) into the page model, and the same bytes as an SDK header.
// A page the reader refuses is a PageError, never a crash.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "convert/HeaderReader.h"
#include "convert/PageReader.h"
#include "convert/ReferencePage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        convert::ReadReferencePage(convert::ReadPage(text));
    } catch (const convert::PageError&) {
    }
    convert::ReadHeader(text);
    return 0;
}
