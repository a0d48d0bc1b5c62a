#pragma once

#include "import/ParsedStructures.h"
#include "importsave/UpdateSummary.h"

namespace velmora::catalogue {
class Database;
}

namespace velmora::importsave {

// Saves a parsed structures file over what the catalogue holds of it in the
// import's foundation class, so that a corrected or newer file replaces the
// DirectX side and keeps the user's work. Items match by name: a structure by
// its name, a member by its name within its structure, a flag by its first
// word within its member; where the catalogue holds a name twice the lowest
// key is matched, where the file does its first item. A matched item takes the
// file's DirectX values and keeps its status and every BCB value the user
// changed (one still holding what the import wrote follows the file). File
// items without a match are added as a plain save adds them; stored items the
// file no longer names stay. One transaction, and one such update at a time
// on a catalogue. The trace begins and ends as the plain save's does, with a
// line of its own for each record in between.
class CatalogueStructuresUpdater : public import::StructuresSaveTarget {
public:
    // foundationClassIndex: read when the save runs.
    CatalogueStructuresUpdater(catalogue::Database& database, const int& foundationClassIndex);

    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver& observer) override;

    // What the last save did.
    const UpdateSummary& summary() const { return summary_; }

private:
    catalogue::Database& database_;
    const int& foundationClassIndex_;
    UpdateSummary summary_;
};

} // namespace velmora::importsave
