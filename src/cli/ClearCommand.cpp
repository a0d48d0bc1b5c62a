#include "cli/ClearCommand.h"

#include <ostream>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTables.h"
#include "cli/CatalogueChoice.h"
#include "catalogue/Clearing.h"

namespace velmora::cli {

QString ClearCommand::description() const
{
    return QStringLiteral("Empties the structure, member and flag tables of the catalogue in one transaction: all "
                          "three or, when anything fails, none. The foundation classes stay. Says how many rows "
                          "went.");
}

int ClearCommand::run(const QCommandLineParser&, CommandContext& context)
{
    std::ostream& out = context.out;
    try {
        catalogue::CatalogueTables catalogue(catalogueRegistry(context));
        catalogue.database.setConnected(true);
        const catalogue::ClearedRows removed = catalogue::clearCatalogueTables(
            catalogue.database, catalogue.structures, catalogue.members, catalogue.flags);
        out << "Cleared the catalogue: " << removed.structures << " structures, " << removed.members << " members, "
            << removed.flags << " flags removed\n";
        return 0;
    } catch (const catalogue::CatalogueError& error) {
        return fail(context, QString::fromUtf8(error.what()));
    }
}

} // namespace velmora::cli
