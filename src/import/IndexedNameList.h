#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora::import {

// A string list with a hash index beside it: Contains gives the answers of
// ListContains on the list without scanning it, so a file with many names
// does not make the check quadratic. Names are appended only through Append.
class IndexedNameList {
public:
    explicit IndexedNameList(std::vector<std::string>& list) : list_(list), index_(list.begin(), list.end()) {}

    bool Contains(std::string_view name) const { return index_.find(name) != index_.end(); }
    void Append(std::string_view name)
    {
        list_.emplace_back(name);
        index_.insert(list_.back());
    }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::vector<std::string>& list_;
    std::unordered_set<std::string, Hash, std::equal_to<>> index_;
};

} // namespace velmora::import
