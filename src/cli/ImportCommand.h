#pragma once

#include "cli/CatalogueCommand.h"

namespace velmora::cli {

// velmora-cli import [--class NAME] [--dry-run] [--emit-json PATH] FILE
// Trace lines to standard output; to standard error the diagnostic of an
// error in the file (or a note of what a success did not store), then
// "status: CAPTION" as the last line; 0 success, 1 import error, 2 could not
// run (the message goes to standard error).
class ImportCommand : public CatalogueCommand {
public:
    QString name() const override { return QStringLiteral("import"); }
    QString synopsis() const override { return QStringLiteral("[--class NAME] [--dry-run | --update] [--emit-json PATH] FILE"); }
    QString summary() const override { return QStringLiteral("import a documentation file into the catalogue"); }
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    QList<CommandArgument> arguments() const override;
    QString exitStatus() const override;

protected:
    // --dry-run reads the catalogue, to check --class, only where it can be reached.
    Opening opening(const QCommandLineParser& parser) const override;
    QString mistake(const QCommandLineParser& parser) const override;
    int runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context) override;
    int runUnreached(const QCommandLineParser& parser, CommandContext& context) override;

private:
    // catalogue: null for a dry run that reached none.
    int importInto(OpenCatalogue* catalogue, const QCommandLineParser& parser, CommandContext& context);
};

} // namespace velmora::cli
