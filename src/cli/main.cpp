#include <QCoreApplication>
#include <iostream>
#include <unistd.h>

#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/output/StandardOutputBuffer.h"
#include "cli/output/ProgressLine.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);   // Qt SQL finds its drivers through it
    std::ios::sync_with_stdio(false);

    QStringList words = QCoreApplication::arguments();
    words.removeFirst();
    velmora::cli::CommandLine commandLine;
    commandLine.setProgressOnStandardError(velmora::cli::standardErrorTakesProgress());
    commandLine.setOutputIsFile(velmora::cli::standardOutputIsFile());
    commandLine.setInputIsTerminal(::isatty(STDIN_FILENO) == 1);
    velmora::cli::StandardOutputBuffer standardOutput;
    std::streambuf* const previous = std::cout.rdbuf(&standardOutput);
    const int code = commandLine.run(words, std::cin, std::cout, std::cerr);
    std::cout.flush();   // run() has checked what it wrote
    std::cout.rdbuf(previous);
    return code;
}
