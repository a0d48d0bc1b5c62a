#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// velmora-cli import [--class NAME] [--dry-run] FILE
// args are the words after "import". Trace lines to out, "status: CAPTION" to
// err; 0 success, 1 import error, 2 could not run (usage, unreadable file, no
// catalogue: the message goes to err).
int RunImportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
