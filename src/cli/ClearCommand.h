#pragma once

#include "cli/CatalogueCommand.h"

namespace velmora::cli {

// velmora-cli clear [--yes]
// Empties the structure, member and flag tables, all or none; the foundation
// classes stay. Asks first on a terminal; refuses without one unless --yes.
class ClearCommand : public CatalogueCommand {
public:
    QString name() const override { return QStringLiteral("clear"); }
    QString synopsis() const override { return QStringLiteral("[--yes]"); }
    QString summary() const override { return QStringLiteral("empty the structure, member and flag tables"); }
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    QString exitStatus() const override;

protected:
    int runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
