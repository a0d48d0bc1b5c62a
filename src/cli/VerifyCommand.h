#pragma once

#include "cli/CatalogueCommand.h"

namespace velmora::cli {

// velmora-cli verify
// The engine's full check of the catalogue (SQLite's integrity check, or
// PostgreSQL's amcheck) and of its tables and fields; says what is wrong.
class VerifyCommand : public CatalogueCommand {
public:
    QString name() const override { return QStringLiteral("verify"); }
    QString synopsis() const override { return {}; }
    QString summary() const override { return QStringLiteral("check the whole catalogue file and say what is wrong"); }
    QString description() const override;
    QString exitStatus() const override;

protected:
    Opening opening(const QCommandLineParser&) const override { return Opening::ForChecking; }
    int runOn(OpenCatalogue& catalogue, const QCommandLineParser& parser, CommandContext& context) override;
};

} // namespace velmora::cli
