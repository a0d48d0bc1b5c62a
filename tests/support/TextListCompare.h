#pragma once

// Entry-by-entry comparison of text lists, for assertions on parse results:
// the program itself never compares whole lists.

#include <string>
#include <vector>

#include "text/TextList.h"

namespace velmora::text {

inline bool operator==(const TextList& list, const std::vector<std::string>& entries)
{
    if (list.size() != entries.size())
        return false;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list.At(i) != entries[i])
            return false;
    return true;
}

inline bool operator==(const TextList& a, const TextList& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a.At(i) != b.At(i))
            return false;
    return true;
}

} // namespace velmora::text
