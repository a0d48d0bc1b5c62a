#pragma once

#include <sstream>
#include <string>
#include <vector>

namespace velmora::testing {

// What one velmora-cli command wrote and returned, run in-process.
struct CliRun {
    int code;
    std::string out;
    std::string err;
};

template <typename Command>
CliRun runCli(Command command, const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int code = command(args, out, err);
    return {code, out.str(), err.str()};
}

} // namespace velmora::testing
