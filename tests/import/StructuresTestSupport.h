#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/TextListCompare.h"
#include "import/ParsedStructures.h"

namespace velmora::testing {

inline std::string StructuresDataPath(const std::string& name)
{
    return std::string(VELMORA_TEST_DATA_DIR) + "/structures/" + name;
}

inline std::string ReadTextFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A recorded trace with the path of its input file in place of "$FILE".
inline std::string ExpectedTrace(const std::string& name, const std::string& path)
{
    return ReplaceAll(ReadTextFile(StructuresDataPath(name + ".trace")), "$FILE", path);
}

// Keeps a copy of every list set it is asked to save.
struct RecordingSaveTarget : import::StructuresSaveTarget {
    std::vector<import::ParsedStructures> saved;
    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver&) override { saved.push_back(lists); }
};

} // namespace velmora::testing
