#pragma once

#include <cstddef>
#include <string>

#include "import/IndexTags.h"
#include "import/ParsedStructures.h"

namespace velmora::importsave {

// The checks every save makes on the parsed lists before it writes a record,
// failing with a CatalogueError that names the list or the item: a list
// shorter than its names, a member or flag whose tags name no item of the import.
void RequireSize(std::size_t names, std::size_t entries, const char* list);
// Member j's structure; description gets its description without the tag.
std::size_t StructureOfMember(const import::ParsedStructures& lists, std::size_t j, std::string& description);
// Flag k's structure and member; description as above.
import::FlagLinks ParentsOfFlag(const import::ParsedStructures& lists, std::size_t k, std::string& description);

} // namespace velmora::importsave
