#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// velmora-cli clear
// Empties the structure, member and flag tables, all or none; the foundation
// classes stay. 0 done, 2 could not run.
int RunClearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
