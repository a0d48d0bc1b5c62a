#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// velmora-cli init [--database PATH]
// Creates the catalogue if it is absent and registers the alias Corvane;
// changes nothing that already exists. 0 done (or nothing to do), 2 could not run.
int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
