#pragma once

#include "cli/Command.h"

namespace velmora::cli {

class CommandLine;

// velmora-cli help [COMMAND]
// The program's help, or the help of one command, on standard output.
class HelpCommand : public Command {
public:
    explicit HelpCommand(const CommandLine& commandLine) : commandLine_(commandLine) {}

    QString name() const override { return QStringLiteral("help"); }
    QString synopsis() const override { return QStringLiteral("[COMMAND]"); }
    QString summary() const override;
    QString description() const override;
    QList<CommandArgument> arguments() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;

private:
    const CommandLine& commandLine_;
};

} // namespace velmora::cli
