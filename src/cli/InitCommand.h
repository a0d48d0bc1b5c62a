#pragma once

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli init [--database PATH]
// Creates the catalogue if it is absent and registers the alias Corvane;
// changes nothing that already exists.
class InitCommand : public Command {
public:
    QString name() const override { return QStringLiteral("init"); }
    QString synopsis() const override { return QStringLiteral("[--database PATH]"); }
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    QString exitStatus() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
