#pragma once

#include <QStringList>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"

namespace velmora::testing {

// What one velmora-cli command line wrote and returned, run in-process.
struct CliRun {
    int code;
    std::string out;
    std::string err;

    std::string firstErrLine() const { return err.substr(0, err.find('\n')); }
    std::string firstOutLine() const { return out.substr(0, out.find('\n')); }
};

// words: the whole command line after the program name, e.g. {"import", "--dry-run", FILE}.
inline CliRun runCli(const std::vector<std::string>& words, const std::string& input = {})
{
    QStringList list;
    for (const std::string& word : words)
        list << QString::fromStdString(word);
    std::istringstream in(input);
    std::ostringstream out, err;
    const int code = cli::CommandLine().run(list, in, out, err);
    return {code, out.str(), err.str()};
}

// One command and its words.
inline CliRun runCli(const std::string& command, std::vector<std::string> args)
{
    args.insert(args.begin(), command);
    return runCli(args);
}

} // namespace velmora::testing
