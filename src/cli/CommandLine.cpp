#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <exception>
#include <ostream>

#include "cli/CheckCommand.h"
#include "cli/ClearCommand.h"
#include "cli/ConvertCommand.h"
#include "cli/DumpCommand.h"
#include "cli/HelpCommand.h"
#include "cli/ImportCommand.h"
#include "cli/InitCommand.h"

namespace velmora::cli {

namespace {

const QCommandLineOption& versionOption()
{
    static const QCommandLineOption option(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
    return option;
}

void addGlobalOptions(QCommandLineParser& parser)
{
    parser.addOption(helpOption());
    parser.addOption(versionOption());
    // The command's own options follow its name.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
}

const QString ProgramUsage = QStringLiteral("usage: velmora-cli COMMAND [ARGS]");

} // namespace

CommandLine::CommandLine()
{
    // One line per command, in the order the help lists them.
    add(std::make_unique<InitCommand>());
    add(std::make_unique<ImportCommand>());
    add(std::make_unique<CheckCommand>());
    add(std::make_unique<DumpCommand>());
    add(std::make_unique<ClearCommand>());
    add(std::make_unique<ConvertCommand>());
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
                          "\nExit status: 0 done, 1 the import reported an error, 2 the command could not run.\n");
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
    if (parser.isSet(versionOption())) {
        out << "velmora-cli " << VELMORA_VERSION << '\n';
        out.flush();
        return 0;
    }
    QStringList rest = parser.positionalArguments();
    if (parser.isSet(helpOption())) {
        out << helpText().toStdString();
        out.flush();
        return 0;
    }
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
    CommandContext context{in, out, err, std::nullopt};
    try {
        return found->execute(rest, context);
    } catch (const std::exception& error) {
        // Anything a command did not expect: it could not run to its end.
        out.flush();
        err << "velmora-cli " << name.toStdString() << ": " << error.what() << '\n';
        return 2;
    }
}

} // namespace velmora::cli
