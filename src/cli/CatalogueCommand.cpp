#include "cli/CatalogueCommand.h"

#include <optional>
#include <stdexcept>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "cli/CatalogueChoice.h"

namespace velmora::cli {

OpenCatalogue::OpenCatalogue(const catalogue::AliasRegistry& registry)
    : entry(registry.lookup(catalogue::names::Alias)), tables(registry)
{
}

void OpenCatalogue::close() noexcept
{
    try {
        tables.close();
    } catch (...) {
        // closing is all that is left to do; the command reports what went wrong before
    }
}

int CatalogueCommand::runUnreached(const QCommandLineParser&, CommandContext&)
{
    throw std::logic_error("runUnreached: a catalogue command that needs no catalogue must run without one");
}

int CatalogueCommand::run(const QCommandLineParser& parser, CommandContext& context)
{
    if (const QString wrong = mistake(parser); !wrong.isEmpty())
        return fail(context, wrong);
    const Opening how = opening(parser);
    try {
        const catalogue::AliasRegistry registry = catalogueRegistry(context);
        std::optional<OpenCatalogue> catalogue;
        try {
            catalogue.emplace(registry);
            if (how == Opening::ForChecking)
                catalogue->tables.database.connectForChecking();
            else
                catalogue->tables.database.setConnected(true);
        } catch (const catalogue::CatalogueError&) {
            if (how != Opening::IfReachable || context.catalogue)
                throw;
            catalogue.reset();
        }
        return catalogue ? runOn(*catalogue, parser, context) : runUnreached(parser, context);
    } catch (const catalogue::CatalogueError& error) {
        return fail(context, QString::fromUtf8(error.what()));
    }
}

} // namespace velmora::cli
