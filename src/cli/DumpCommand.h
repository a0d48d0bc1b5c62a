#pragma once

#include "cli/CatalogueCommand.h"

namespace velmora::cli {

// velmora-cli dump [--format tsv|csv|json] [TABLE]
// Rows with a header row, in key order; the three main tables (separated by an
// empty line) when no TABLE is given.
class DumpCommand : public CatalogueCommand {
public:
    QString name() const override { return QStringLiteral("dump"); }
    QString synopsis() const override { return QStringLiteral("[--format tsv|csv|json] [TABLE]"); }
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    QList<CommandArgument> arguments() const override;

protected:
    QString mistake(const QCommandLineParser& parser) const override;
    int runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
