#pragma once

#include <string>
#include <vector>

namespace velmora::convert {

// The rows as a file: Windows-1252 with CR LF like the old reference dumps, or
// UTF-8 (still CR LF). A character Windows-1252 lacks becomes '?', with a log line.
std::string EncodeRows(const std::vector<std::string>& rows, bool utf8, std::vector<std::string>& log);

} // namespace velmora::convert
