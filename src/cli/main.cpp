#include <QCoreApplication>
#include <iostream>

#include "cli/CommandLine.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);   // Qt SQL finds its drivers through it
    std::ios::sync_with_stdio(false);

    QStringList words = QCoreApplication::arguments();
    words.removeFirst();
    return velmora::cli::CommandLine().run(words, std::cin, std::cout, std::cerr);
}
