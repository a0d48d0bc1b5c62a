#pragma once

#include <QSqlDatabase>
#include <QStringList>

namespace velmora::catalogue {

// What verify finds wrong with a catalogue whose tables and fields are all
// there, beyond what the engine's own check sees: members and flags whose
// parent row is gone (nothing deletes single rows, so only damage or a hand
// edit leaves them), and indexes that are missing (the browser's lookups and
// lists would scan whole tables). One line a finding; empty when nothing.
// Throws CatalogueError when the catalogue cannot be read.
QStringList consistencyFindings(const QSqlDatabase& db);

} // namespace velmora::catalogue
