#pragma once

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli dump [--format tsv|csv|json] [TABLE]
// Rows with a header row, in key order; the three main tables (separated by an
// empty line) when no TABLE is given.
class DumpCommand : public Command {
public:
    QString name() const override { return QStringLiteral("dump"); }
    QString synopsis() const override { return QStringLiteral("[--format tsv|csv|json] [TABLE]"); }
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    QList<CommandArgument> arguments() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
