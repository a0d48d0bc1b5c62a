#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// velmora-cli dump [TABLE]
// Tab-separated rows with a header row, in key order; the three main tables
// (separated by an empty line) when no TABLE is given. 0 done, 2 could not run.
int RunDumpCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
