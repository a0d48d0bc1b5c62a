#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace velmora::import {

// Whether a list of names holds a name: what the multi-name row tests ask.
class NameLookup {
public:
    virtual ~NameLookup() = default;
    virtual bool Contains(std::string_view name) = 0;
};

// Answers ListContains for a list that only grows at its end, without
// scanning it: a hash index of positions, brought up to date with the list at
// each question. A row test asked once per row then costs the same for a
// structure of ten members as for one of a million. List: a
// std::vector<std::string> or a TextList.
template <typename List>
class NameIndex final : public NameLookup {
public:
    explicit NameIndex(const List& list) : list_(list), index_(0, Hash{&list}, Equal{&list}) {}
    NameIndex(const NameIndex&) = delete;
    NameIndex& operator=(const NameIndex&) = delete;

    bool Contains(std::string_view name) override
    {
        if (list_.size() < indexed_) {  // emptied since
            index_.clear();
            indexed_ = 0;
        }
        // Positions, not views: the list's strings move when it grows.
        for (; indexed_ < list_.size(); ++indexed_) index_.insert(indexed_);
        return index_.find(name) != index_.end();
    }

private:
    struct Hash {
        using is_transparent = void;
        const List* list;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
        std::size_t operator()(std::size_t at) const { return (*this)(std::string_view((*list)[at])); }
    };
    struct Equal {
        using is_transparent = void;
        const List* list;
        std::string_view Text(std::size_t at) const { return (*list)[at]; }
        std::string_view Text(std::string_view text) const { return text; }
        template <typename A, typename B>
        bool operator()(const A& a, const B& b) const { return Text(a) == Text(b); }
    };

    const List& list_;
    std::unordered_set<std::size_t, Hash, Equal> index_;
    std::size_t indexed_ = 0;
};

} // namespace velmora::import
