#include <QCoreApplication>
#include <iostream>
#include <unistd.h>

#include "cli/Command.h"
#include "cli/CommandLine.h"
#include "cli/ProgressLine.h"

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
    return commandLine.run(words, std::cin, std::cout, std::cerr);
}
