#pragma once

#include <string>
#include <vector>

namespace velmora::convert {

// What Velmora's own import makes of a file of rows.
struct ImportCheck {
    bool succeeded = false;
    std::string error;          // the trace lines of the error report, joined
    std::size_t items = 0;      // structures or interfaces
    std::size_t members = 0;    // members, or parameters
    std::size_t flags = 0;
};

// Writes the rows to a temporary file and imports it without a catalogue.
ImportCheck CheckWithImport(const std::vector<std::string>& rows);

} // namespace velmora::convert
