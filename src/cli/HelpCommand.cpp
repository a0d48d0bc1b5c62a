#include "cli/HelpCommand.h"

#include <QCommandLineParser>
#include <ostream>

#include "cli/CommandLine.h"

namespace velmora::cli {

QString HelpCommand::summary() const
{
    return QStringLiteral("show the commands, or what COMMAND does and its options");
}

QString HelpCommand::description() const
{
    return QStringLiteral("Shows the commands and the global options, or with COMMAND what that command does, "
                          "its options and its exit codes.");
}

QList<CommandArgument> HelpCommand::arguments() const
{
    return {{QStringLiteral("COMMAND"), QStringLiteral("The command to describe."), CommandArgument::Arity::Optional}};
}

int HelpCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    const QStringList words = parser.positionalArguments();
    if (words.isEmpty()) {
        context.out << commandLine_.helpText().toStdString();
    } else if (const Command* command = commandLine_.command(words.first())) {
        context.out << command->helpText().toStdString();
    } else {
        return fail(context, QStringLiteral("unknown command '%1'").arg(words.first()));
    }
    return 0;
}

} // namespace velmora::cli
