#pragma once

#include <string>
#include <vector>

#include "convert/ConversionLog.h"

namespace velmora::convert {

struct PageText {
    std::string path;
    std::string text;
};

// The outcome of a conversion: the rows of the import file (empty when nothing
// could be written) and the log with its counts.
struct Conversion {
    std::vector<std::string> rows;
    ConversionLog log;
    int written = 0; // structures or interfaces
    std::string failure;   // why nothing could be written at all

    // 0 nothing lost, 1 something lost (the rest written), 2 nothing written.
    int ExitCode() const;
    // The log's summary and a last line: why nothing was written, or whether anything was lost.
    std::vector<std::string> Summary() const;
};

// Structure pages, or interface pages with their method pages, and the texts of
// the headers that declare them: one "Structures" or "Interfaces" file, every
// item in it checked by Velmora's own import.
Conversion Convert(const std::vector<std::string>& headerTexts, const std::vector<PageText>& pages);

} // namespace velmora::convert
