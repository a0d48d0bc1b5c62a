#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

// Keeps a copy of every list set it is asked to save.
struct RecordingSaveTarget : import::StructuresSaveTarget {
    std::vector<import::ParsedStructures> saved;
    void SaveStructures(import::ParsedStructures& lists, import::ImportObserver&) override { saved.push_back(lists); }
};

} // namespace velmora::testing
