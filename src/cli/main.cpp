#include <QCoreApplication>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ClearCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/DumpCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InitCommand.h"
#include "cli/Usage.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);   // Qt SQL finds its drivers through it
    std::ios::sync_with_stdio(false);

    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        velmora::cli::PrintUsage(std::cerr);
        return 2;
    }
    const std::string& command = words.front();
    const std::vector<std::string> args(words.begin() + 1, words.end());
    try {
        if (command == "init")
            return velmora::cli::RunInitCommand(args, std::cout, std::cerr);
        if (command == "import")
            return velmora::cli::RunImportCommand(args, std::cout, std::cerr);
        if (command == "dump")
            return velmora::cli::RunDumpCommand(args, std::cout, std::cerr);
        if (command == "convert")
            return velmora::cli::RunConvertCommand(args, std::cout, std::cerr);
        if (command == "clear")
            return velmora::cli::RunClearCommand(args, std::cout, std::cerr);
        if (command == "--help" || command == "-h" || command == "help") {
            velmora::cli::PrintUsage(std::cout);
            return 0;
        }
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << "velmora-cli " << command << ": " << error.what() << '\n';
        return 2;
    }
    std::cerr << "velmora-cli: unknown command '" << command << "'\n";
    velmora::cli::PrintUsage(std::cerr);
    return 2;
}
