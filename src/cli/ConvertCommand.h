#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace velmora::cli {

// convert --header HEADER [-o OUT] [--utf8] [--log FILE] PAGE...
int RunConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velmora::cli
