#include "cli/ClearCommand.h"

#include <ostream>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/Database.h"
#include "catalogue/Table.h"

namespace velmora::cli {

namespace names = catalogue::names;

int RunClearCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    if (!args.empty()) {
        err << "usage: velmora-cli clear\n";
        return 2;
    }
    try {
        catalogue::Database db(names::Alias, names::DatabaseName);
        db.setConnected(true);
        catalogue::Table structures(db, names::StructuresTable, QStringLiteral("Structure_Index"));
        catalogue::Table members(db, names::MembersTable, QStringLiteral("Member_Index"));
        catalogue::Table flags(db, names::FlagsTable, QStringLiteral("Flag_Index"));
        catalogue::Table* const tables[] = {&structures, &members, &flags};

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
