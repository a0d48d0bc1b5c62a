#include "import/ImportDiagnostic.h"

#include "import/TraceText.h"

namespace velmora::import {

std::string FormatDiagnostic(std::string_view path, const ImportDiagnostic& diagnostic)
{
    std::string text = diagnostic.line == 0
                           ? Concat(path, ": error: ", diagnostic.reason, "\n")
                           : Concat(path, ":", Decimal(static_cast<long long>(diagnostic.line)), ": error: ",
                                    diagnostic.reason, "\n");
    if (diagnostic.line != 0) text += Concat("    ", diagnostic.text, "\n");
    return text;
}

} // namespace velmora::import
