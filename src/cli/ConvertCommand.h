#pragma once

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli convert --header HEADER [--header HEADER]... [-o OUT] [--utf8] [--log FILE] PAGE...
// Reference pages (markdown) and the SDK header into one import file.
class ConvertCommand : public Command {
public:
    QString name() const override { return QStringLiteral("convert"); }
    QString synopsis() const override
    {
        return QStringLiteral("--header HEADER [--header HEADER]... [-o OUT] [--utf8] [--log FILE] PAGE...");
    }
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    QStringList repeatableOptions() const override;
    QList<CommandArgument> arguments() const override;
    QString exitStatus() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
