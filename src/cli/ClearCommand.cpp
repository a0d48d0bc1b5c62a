#include "cli/ClearCommand.h"

#include <ostream>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTables.h"

namespace velmora::cli {

int RunClearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty()) {
        err << "usage: velmora-cli clear\n";
        return 2;
    }
    try {
        catalogue::CatalogueTables catalogue;
        catalogue::Database& db = catalogue.database;
        db.setConnected(true);
        const auto tables = catalogue.all();

        // All three or none: a half-cleared catalogue would keep orphaned members and flags.
        long long removed[3] = {};
        db.beginTransaction();
        try {
            for (int i = 0; i < 3; ++i) {
                removed[i] = tables[i]->recordCount();
                tables[i]->close();
                tables[i]->emptyTable();
                tables[i]->open();
            }
            db.commit();
        } catch (...) {
            try {
                db.rollback();
            } catch (...) {
            }
            throw;
        }
        out << "Cleared the catalogue: " << removed[0] << " structures, " << removed[1] << " members, " << removed[2]
            << " flags removed\n";
        return 0;
    } catch (const catalogue::CatalogueError& error) {
        err << "velmora-cli clear: " << error.what() << '\n';
        return 2;
    }
}

} // namespace velmora::cli
