#pragma once

#include <string>
#include <vector>

namespace velmora::convert {

struct PageText {
    std::string path;
    std::string text;
};

// The outcome of a conversion: the rows of the import file (empty when nothing
// could be written), the log, and what the file holds.
struct Conversion {
    std::vector<std::string> rows;
    std::vector<std::string> log;
    int written = 0;
    int skipped = 0;
    int members = 0;    // members, or parameters
    int flags = 0;
    int methods = 0;
    std::string failure;   // why nothing could be written at all

    // 0 everything converted, 1 something skipped, 2 nothing written.
    int ExitCode() const;
};

// Structure pages, or interface pages with their method pages, and the header
// text: one "Structures" or "Interfaces" file, every item in it checked by
// Velmora's own import.
Conversion Convert(const std::string& headerText, const std::vector<PageText>& pages);

} // namespace velmora::convert
