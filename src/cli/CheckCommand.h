#pragma once

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli check FILE...
// Parses each file as a dry run, without the trace, and prints for each file
// that breaks the layout its diagnostic ("PATH:LINE: error: REASON" and the
// offending text) on standard output; a file that parses prints nothing. A
// file that cannot be read is named on standard error and the others are
// still checked. 0 every file parses, 1 some file did not, 2 some file could
// not be read.
class CheckCommand : public Command {
public:
    QString name() const override { return QStringLiteral("check"); }
    QString synopsis() const override { return QStringLiteral("FILE..."); }
    QString summary() const override;
    QString description() const override;
    QList<CommandArgument> arguments() const override;
    QString exitStatus() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
