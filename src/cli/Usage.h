#pragma once

#include <iosfwd>

namespace velmora::cli {

// The summary velmora-cli prints for --help and after a command line it cannot use.
void PrintUsage(std::ostream& out);

} // namespace velmora::cli
