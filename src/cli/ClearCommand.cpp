#include "cli/ClearCommand.h"

#include <ostream>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Clearing.h"

namespace velmora::cli {

int RunClearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty()) {
        err << "usage: velmora-cli clear\n";
        return 2;
    }
    try {
        catalogue::CatalogueTables catalogue;
        catalogue.database.setConnected(true);
        const catalogue::ClearedRows removed = catalogue::clearCatalogueTables(
            catalogue.database, catalogue.structures, catalogue.members, catalogue.flags);
        out << "Cleared the catalogue: " << removed.structures << " structures, " << removed.members << " members, "
            << removed.flags << " flags removed\n";
        return 0;
    } catch (const catalogue::CatalogueError& error) {
        err << "velmora-cli clear: " << error.what() << '\n';
        return 2;
    }
}

} // namespace velmora::cli
