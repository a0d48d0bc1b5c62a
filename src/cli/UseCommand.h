#pragma once

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli use CATALOGUE
// Points the alias Corvane at another catalogue, creating it as init does
// when it is not there yet; copies nothing and deletes nothing.
class UseCommand : public Command {
public:
    QString name() const override { return QStringLiteral("use"); }
    QString synopsis() const override { return QStringLiteral("CATALOGUE"); }
    QString summary() const override;
    QString description() const override;
    QList<CommandArgument> arguments() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
