#pragma once

#include <string>
#include <vector>

namespace velmora::convert {

// What Velmora's own import makes of a file of rows.
struct ImportCheck {
    bool succeeded = false;
    std::string error;          // the import's diagnostic: "line N: reason: 'row'"
    std::size_t items = 0;      // structures or interfaces
    std::size_t members = 0;    // members, or parameters
    std::size_t flags = 0;
};

// Imports the rows from memory, without a catalogue, as `velmora-cli check` does.
ImportCheck CheckWithImport(const std::vector<std::string>& rows);

} // namespace velmora::convert
