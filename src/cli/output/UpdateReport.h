#pragma once

#include <string>

namespace velmora::importsave {
struct UpdateSummary;
}

namespace velmora::cli {

// What `import --update` says on standard error: before the status line, a
// note for each name found twice (the first few); after it, the totals by level.
std::string UpdateNotes(const std::string& file, const importsave::UpdateSummary& summary);
std::string UpdateTotals(const importsave::UpdateSummary& summary);

// What a plain import says when the catalogue held some of the file's
// structures already: they are now stored twice.
std::string AlreadyStoredNote(const std::string& file, long long stored, long long structures,
                              const std::string& foundationClass);

} // namespace velmora::cli
