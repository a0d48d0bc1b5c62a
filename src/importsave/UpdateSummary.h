#pragma once

#include <string>
#include <vector>

namespace velmora::importsave {

// What an update did at one level (structures, members or flags).
struct UpdateCounts {
    long long updated = 0;       // file items matched with a stored one
    long long changed = 0;       // of those, the ones whose stored values the file changed
    long long added = 0;         // file items stored as new
    long long kept = 0;          // stored items without a counterpart in the file, left as they are
    long long storedTwice = 0;   // stored items whose name an item of a lower key has already, and their items
    long long fileTwice = 0;     // file items whose name an earlier item of the same parent has already
};

// An item named twice where names should be unique, for the report.
struct RepeatedItem {
    enum class Level { Structure, Member, Flag };
    enum class Where { Catalogue, File };
    Level level;
    Where where;
    std::string path;        // "STRUCTURE", "STRUCTURE::MEMBER" or "STRUCTURE::MEMBER::FLAG"
    long long matchedKey;    // the stored item the name was matched with; 0 when none
    long long otherKey;      // Catalogue: the stored item left as it is
};

struct UpdateSummary {
    static constexpr std::size_t MaxRepeatsShown = 10;

    UpdateCounts structures;
    UpdateCounts members;
    UpdateCounts flags;
    std::vector<RepeatedItem> repeats;   // the first MaxRepeatsShown of them
    long long repeatsFound = 0;
};

} // namespace velmora::importsave
