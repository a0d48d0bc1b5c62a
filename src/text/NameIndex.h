#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace velmora::text {

// Whether a list of names holds a name: what the multi-name row rules ask.
class NameLookup {
public:
    virtual ~NameLookup() = default;
    virtual bool Contains(std::string_view name) = 0;
};

// Answers "does the list hold this name" without scanning it, for a list that
// only grows at its end or is emptied: a question then costs the same for ten
// names as for a million. The index is brought up to date with the list at
// each question. It keeps positions (4 bytes each, in an open-addressing
// table at most three quarters full), not views, because a growing list's
// strings move, and not copies, which would double the memory a long list
// takes. List: a TextList, whose Generation() says when it was emptied (its
// size cannot: a list reused for the next definition may have grown back
// past the size the index saw).
template <typename List>
class NameIndex final : public NameLookup {
public:
    explicit NameIndex(const List& list) : list_(list), generation_(list.Generation()) {}
    NameIndex(const NameIndex&) = delete;
    NameIndex& operator=(const NameIndex&) = delete;

    bool Contains(std::string_view name) override
    {
        CatchUp();
        return used_ > 0 && slots_[SlotOf(name)] != kEmpty;
    }

private:
    static constexpr std::uint32_t kEmpty = 0;  // a slot holds a position + 1

    // Any table size will do: the hash is scaled to it rather than masked.
    std::size_t Home(std::string_view name) const
    {
        const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>{}(name));
        return static_cast<std::size_t>((std::uint64_t(hash) * slots_.size()) >> 32);
    }
    std::size_t Next(std::size_t slot) const { return slot + 1 == slots_.size() ? 0 : slot + 1; }
    std::string_view NameAt(std::uint32_t entry) const { return list_[entry - 1]; }

    void CatchUp()
    {
        if (list_.Generation() != generation_) {  // emptied since
            std::fill(slots_.begin(), slots_.end(), kEmpty);
            indexed_ = used_ = 0;
            generation_ = list_.Generation();
        }
        if (list_.size() > UINT32_MAX) throw std::length_error("NameIndex: 4 Gi names or more");
        // Room for every name still to come at once: a list that arrives whole
        // gets a table of its size, one that grows name by name one that doubles.
        const std::size_t atMost = used_ + (list_.size() - indexed_);
        if (4 * atMost > 3 * slots_.size()) Resize(std::max({std::size_t(16), 2 * slots_.size(), atMost * 4 / 3 + 1}));
        for (; indexed_ < list_.size(); ++indexed_) {
            const std::size_t slot = SlotOf(list_[indexed_]);
            if (slots_[slot] != kEmpty) continue;  // a repeated name needs no second entry
            slots_[slot] = static_cast<std::uint32_t>(indexed_ + 1);
            ++used_;
        }
    }

    // The slot that holds name, or the empty one where it would go.
    std::size_t SlotOf(std::string_view name) const
    {
        std::size_t slot = Home(name);
        while (slots_[slot] != kEmpty && NameAt(slots_[slot]) != name) slot = Next(slot);
        return slot;
    }

    void Resize(std::size_t size)
    {
        std::vector<std::uint32_t> old(size, kEmpty);
        old.swap(slots_);
        for (const std::uint32_t entry : old) {
            if (entry == kEmpty) continue;
            std::size_t slot = Home(NameAt(entry));
            while (slots_[slot] != kEmpty) slot = Next(slot);  // names in the table differ
            slots_[slot] = entry;
        }
    }

    const List& list_;
    std::vector<std::uint32_t> slots_;
    std::size_t indexed_ = 0;            // the list's entries the table has seen
    std::size_t used_ = 0;
    std::uint64_t generation_;           // the list's Generation() when indexed_ was 0
};

} // namespace velmora::text
