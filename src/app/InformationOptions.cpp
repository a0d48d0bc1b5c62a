#include "app/InformationOptions.h"

#include <QCommandLineParser>
#include <QStringList>
#include <ostream>

namespace velmora::app {

namespace {

const QString Help = QStringLiteral(
    "Usage: velmora [QT-OPTION]...\n"
    "Imports DirectX documentation files into the Velmora catalogue and edits the\n"
    "catalogue's structures, members and flags in a window. The catalogue is the\n"
    "database the alias Corvane names; the import's trace shows in a window of its\n"
    "own.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Show this help and exit.\n"
    "  --version      Show the version and exit.\n"
    "\n"
    "Qt's own options (-platform NAME, -style NAME, -geometry WxH+X+Y, ...) go to Qt.\n"
    "velmora-cli does the same work without the window.\n");

} // namespace

std::optional<int> answerInformationOptions(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    QStringList words;
    for (int i = 0; i < argc; ++i)
        words << QString::fromLocal8Bit(argv[i]);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringLiteral("version"));
    QCommandLineParser parser;
    // Qt's options are single-dash words (-platform): none of them may read as -h.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(help);
    parser.addOption(version);
    parser.parse(words);   // unknown words are Qt's, not a mistake here
    if (!parser.isSet(help) && !parser.isSet(version))
        return std::nullopt;
    out << (parser.isSet(version) ? QStringLiteral("velmora " VELMORA_VERSION "\n") : Help).toStdString();
    out.flush();
    if (out)
        return 0;
    err << "velmora: cannot write to standard output\n";
    return 2;
}

} // namespace velmora::app
