#include "import/ImportDiagnostic.h"

#include "text/RowLoader.h"
#include "text/TraceText.h"

namespace velmora::import {

std::string FormatDiagnostic(std::string_view path, const ImportDiagnostic& diagnostic)
{
    std::string text = diagnostic.line == 0
                           ? text::Concat(path, ": error: ", diagnostic.reason, "\n")
                           : text::Concat(path, ":", text::Decimal(static_cast<long long>(diagnostic.line)),
                                          ": error: ", diagnostic.reason, "\n");
    if (diagnostic.line != 0)
        text += text::Concat("    ", diagnostic.text, "\n");
    if (!diagnostic.note.empty())
        text += text::Concat(path, ": note: ", diagnostic.note, "\n");
    return text;
}

std::string FormatEncodingNotes(std::string_view path, const text::EncodingNotes& notes)
{
    std::string text;
    if (notes.utf16)
        text += text::Concat(path, ": error: the file is UTF-16; save it as UTF-8 or Windows-1252\n");
    if (notes.strayByteLine != 0)
        text +=
            text::Concat(path, ":", text::Decimal(static_cast<long long>(notes.strayByteLine)),
                         ": warning: a byte that is not UTF-8 in a file that holds UTF-8 elsewhere: the whole file is "
                         "read as Windows-1252\n");
    return text;
}

} // namespace velmora::import
