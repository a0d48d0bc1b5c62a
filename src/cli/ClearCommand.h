#pragma once

#include "cli/Command.h"

namespace velmora::cli {

// velmora-cli clear
// Empties the structure, member and flag tables, all or none; the foundation
// classes stay.
class ClearCommand : public Command {
public:
    QString name() const override { return QStringLiteral("clear"); }
    QString synopsis() const override { return {}; }
    QString summary() const override { return QStringLiteral("empty the structure, member and flag tables"); }
    QString description() const override;

protected:
    int run(const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
