#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "catalogue/CatalogueError.h"

namespace velmora::catalogue {

class Database;

// What a full check of the catalogue found.
struct CatalogueCheck {
    QString coverage;      // what the engine's own check covered, a sentence; empty when nothing to say
    QStringList findings;  // one line a fault; empty when the catalogue is sound
    // A fault that ended the check before it was done and says nothing of the
    // catalogue's soundness (a lock, a lost server); what was covered still holds.
    std::optional<CatalogueError> stoppedBy;
};

// verify's check of a catalogue connected for checking (Database::connectForChecking):
// the file's size against its header, then the engine's own check (SQLite's
// integrity check; PostgreSQL's amcheck, or a read of every table where amcheck
// cannot be used) and, when that finds nothing, the tables and fields, members
// and flags whose parent row is gone, and missing indexes. Damage that stops a
// check is a finding; any other fault ends the check as stoppedBy. label names
// the catalogue in messages.
CatalogueCheck checkCatalogue(const Database& database, const QString& label);

} // namespace velmora::catalogue
