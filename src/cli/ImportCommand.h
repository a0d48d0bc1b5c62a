#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// velmora-cli import [--class NAME] [--dry-run] FILE
// Trace lines to out, "status: CAPTION" to err; 0 success, 1 import error, 2 could not run.
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
