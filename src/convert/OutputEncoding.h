#pragma once

#include <string>
#include <vector>

#include "convert/ConversionLog.h"

namespace velmora::convert {

// The rows as a file: Windows-1252 with CR LF like the old reference dumps, or
// UTF-8 (still CR LF). A character Windows-1252 lacks is written in a form that
// keeps its meaning ('≥' as ">=", 'Aₛ' as "A_s"), counted as adapted; one
// without such a form becomes '?', counted as lost. A log line per row says which.
std::string EncodeRows(const std::vector<std::string>& rows, bool utf8, ConversionLog& log);

} // namespace velmora::convert
