#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <exception>
#include <ostream>

#include "cli/CatalogueChoice.h"
#include "cli/CheckCommand.h"
#include "cli/ClearCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/DumpCommand.h"
#include "cli/HelpCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InitCommand.h"
#include "cli/UseCommand.h"
#include "cli/VerifyCommand.h"

namespace velmora::cli {

namespace {

const QCommandLineOption& versionOption()
{
    static const QCommandLineOption option(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    return option;
}

const QCommandLineOption& catalogueOption()
{
    static const QCommandLineOption option(
        QStringLiteral("catalogue"),
        QStringLiteral("Work on the catalogue PATH for this call instead of the one the alias Corvane names: "
                       "an SQLite catalogue file, or a PostgreSQL database as a URI "
                       "(postgresql://USER@HOST:PORT/DATABASE) or as libpq keywords (\"host=HOST dbname=DATABASE\"); "
                       "./NAME for a file whose name holds '='. The alias file is neither read nor written."),
        QStringLiteral("PATH"));
    return option;
}

void addGlobalOptions(QCommandLineParser& parser)
{
    parser.addOption(catalogueOption());
    parser.addOption(helpOption());
    parser.addOption(versionOption());
    // The command's own options follow its name.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

const QString ProgramUsage = QStringLiteral("usage: velmora-cli [--catalogue PATH] COMMAND [ARGS]");

// 0 when standard output took everything, 2 with the message otherwise.
int finishOutput(std::ostream& out, std::ostream& err)
{
    try {
        checkOutput(out);
        return 0;
    } catch (const OutputError& error) {
        err << "velmora-cli: " << error.what() << '\n';
        return 2;
    }
}

} // namespace

CommandLine::CommandLine()
{
    // One line per command, in the order the help lists them.
    add(std::make_unique<InitCommand>());
    add(std::make_unique<UseCommand>());
    add(std::make_unique<ImportCommand>());
    add(std::make_unique<CheckCommand>());
    add(std::make_unique<DumpCommand>());
    add(std::make_unique<ClearCommand>());
    add(std::make_unique<ConvertCommand>());
    add(std::make_unique<VerifyCommand>());
    add(std::make_unique<HelpCommand>(*this));
}

void CommandLine::add(std::unique_ptr<Command> command)
{
    commands_.push_back(std::move(command));
}

const Command* CommandLine::command(const QString& name) const
{
    for (const auto& command : commands_) {
        if (command->name() == name)
            return command.get();
    }
    return nullptr;
}

QString CommandLine::helpText() const
{
    constexpr qsizetype Column = 27;
    QString text = ProgramUsage + QStringLiteral("\n\n") +
                   wrapped(QStringLiteral("Imports documentation files into the Velmora catalogue and reads the "
                                          "catalogue back, without the window.")) +
                   QStringLiteral("\nCommands:\n");
    for (const auto& command : commands_) {
        QString line = QStringLiteral("  ") + command->name();
        if (!command->synopsis().isEmpty())
            line += QLatin1Char(' ') + command->synopsis();
        line = line.size() < Column - 1 ? line.leftJustified(Column) : line + QLatin1Char('\n') + QString(Column, QLatin1Char(' '));
        text += line + command->summary() + QLatin1Char('\n');
    }
    QCommandLineParser parser;
    addGlobalOptions(parser);
    QString options = parser.helpText();
    options = options.mid(options.indexOf(QStringLiteral("Options:")));
    return text + QLatin1Char('\n') + options +
           QStringLiteral("\n'velmora-cli help COMMAND' or 'velmora-cli COMMAND --help' shows the options of a command.\n"
                          "\nExit status: 0 done, 1 the import reported an error (verify: the catalogue is damaged),\n"
                          "2 the command could not run.\n");
}

int CommandLine::run(const QStringList& words, std::istream& in, std::ostream& out, std::ostream& err)
{
    QCommandLineParser parser;
    addGlobalOptions(parser);
    const bool parsed = parser.parse(QStringList{ProgramName} + words);
    if (!parser.unknownOptionNames().isEmpty() || !parsed) {
        const QString unknown = parser.unknownOptionNames().value(0);
        err << "velmora-cli: "
            << (unknown.isEmpty() ? parser.errorText()
                                  : QStringLiteral("unknown option '%1'").arg(optionAsWritten(unknown, words)))
                   .toStdString()
            << '\n'
            << ProgramUsage.toStdString() << '\n';
        return 2;
    }
    if (parser.isSet(versionOption()) || parser.isSet(helpOption())) {
        out << (parser.isSet(versionOption()) ? QStringLiteral("velmora-cli " VELMORA_VERSION "\n") : helpText())
                   .toStdString();
        return finishOutput(out, err);
    }
    QStringList rest = parser.positionalArguments();
    if (rest.isEmpty()) {
        err << helpText().toStdString();
        return 2;
    }
    const QString name = rest.takeFirst();
    Command* const found = const_cast<Command*>(command(name));
    if (!found) {
        err << "velmora-cli: unknown command '" << name.toStdString() << "'\n" << helpText().toStdString();
        return 2;
    }
    CommandContext context{in, out, err, std::nullopt, progress_, outIsFile_, inIsTerminal_};
    if (parser.isSet(catalogueOption())) {
        if (parser.values(catalogueOption()).size() > 1) {
            err << "velmora-cli: option '--catalogue' given twice\n" << ProgramUsage.toStdString() << '\n';
            return 2;
        }
        const QString mistake = catalogueOptionMistake(parser.value(catalogueOption()));
        if (!mistake.isEmpty()) {
            err << "velmora-cli: " << mistake.toStdString() << '\n';
            return 2;
        }
        context.catalogue = parser.value(catalogueOption());
    }
    try {
        const int code = found->execute(rest, context);
        if (code != 2)   // 2 has said why already
            checkOutput(out);
        return code;
    } catch (const std::exception& error) {
        // Anything a command did not expect: it could not run to its end.
        out.flush();
        err << "velmora-cli " << name.toStdString() << ": " << error.what() << '\n';
        return 2;
    }
}

} // namespace velmora::cli
