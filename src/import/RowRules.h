#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

#include "text/Characters.h"

namespace velmora::text {
class NameLookup;
}

namespace velmora::import {

class ImportObserver;

// The names of a 'this, that, and something else' row: the texts before each
// comma (the comma and the one character after it, all its bytes, are dropped), then the text
// after the first "and " of the rest. Read from the row on demand rather than
// kept, so a row of a million commas costs no memory; the row must outlive it.
class ListedNames {
public:
    ListedNames() = default;
    explicit ListedNames(std::string_view row) : row_(row) {}

    // Calls visit(name) for each name in order until visit returns false.
    template <typename Visit>
    void VisitWhile(Visit&& visit) const
    {
        std::string_view rest = row_;
        for (std::size_t comma = rest.find(','); comma != std::string_view::npos; comma = rest.find(',')) {
            if (!visit(rest.substr(0, comma))) return;
            const std::size_t next = comma + 1;
            rest.remove_prefix(next < rest.size() ? next + text::CharacterSizeAt(rest, next) : rest.size());
        }
        constexpr std::string_view lastSeparator = "and ";
        if (const std::size_t at = rest.find(lastSeparator); at != std::string_view::npos)
            visit(rest.substr(at + lastSeparator.size()));
    }
    template <typename Visit>
    void ForEach(Visit&& visit) const
    {
        VisitWhile([&](std::string_view name) {
            visit(name);
            return true;
        });
    }
    std::size_t Count() const
    {
        std::size_t count = 0;
        ForEach([&](std::string_view) { ++count; });
        return count;
    }

private:
    std::string_view row_;
};

// The textual tests the parsers apply to rows. All comparisons are byte-wise and
// case-sensitive.
bool IsSameText(std::string_view t, std::string_view k);
bool IsSingleWord(std::string_view t);
bool IsStructRow(std::string_view t);
bool IsStructEndRow(std::string_view t);
bool IsUnionRow(std::string_view t);
bool IsOpenBraceRow(std::string_view t);
bool IsUnionEndRow(std::string_view t);
bool IsFlagRow(std::string_view t);

// t without its leading bytes of value 0x20 or less (blanks and control characters).
std::string_view TrimLeadingBlanks(std::string_view t);

// 'this and that': traces the two halves, true when both are in the list.
bool IsThisAndThat(std::string_view t, text::NameLookup& list, ImportObserver& trace, std::string& this_string,
                   std::string& that_string);
// 'this, that, and something else': sets names to those of t, true when one of
// them is in the list.
bool IsThisThatAndSomethingElse(std::string_view t, text::NameLookup& list, ListedNames& names);

} // namespace velmora::import
