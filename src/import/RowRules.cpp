#include "import/RowRules.h"

#include <algorithm>

#include "import/ImportObserver.h"
#include "text/NameIndex.h"
#include "text/TraceText.h"

namespace velmora::import {

namespace {

bool Contains(std::string_view t, std::string_view part)
{
    return t.find(part) != std::string_view::npos;
}

} // namespace

bool IsSameText(std::string_view t, std::string_view k)
{
    return t == k;
}

bool IsSingleWord(std::string_view t)
{
    return !Contains(t, " ");
}

bool IsStructRow(std::string_view t)
{
    return Contains(t, "struct");
}

bool IsStructEndRow(std::string_view t)
{
    return Contains(t, "} ");
}

bool IsUnionRow(std::string_view t)
{
    return Contains(t, "union");
}

bool IsOpenBraceRow(std::string_view t)
{
    return Contains(t, "{");
}

bool IsUnionEndRow(std::string_view t)
{
    return Contains(t, "};");
}

bool IsFlagRow(std::string_view t)
{
    const std::string_view firstWord = t.substr(0, t.find(' '));
    return std::none_of(firstWord.begin(), firstWord.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string_view TrimLeadingBlanks(std::string_view t)
{
    std::size_t at = 0;
    while (at < t.size() && static_cast<unsigned char>(t[at]) <= 0x20) ++at;
    return t.substr(at);
}

bool IsThisAndThat(std::string_view t, text::NameLookup& list, ImportObserver& trace, std::string& this_string,
                   std::string& that_string)
{
    constexpr std::string_view separator = " and ";
    const std::size_t at = t.find(separator);
    if (at == std::string_view::npos) return false;
    this_string.assign(t.substr(0, at));
    that_string.assign(t.substr(at + separator.size()));
    trace.Trace("inside IsThisAndThat():: this_string == '", this_string, "'");
    trace.Trace("inside IsThisAndThat():: that_string == '", that_string, "'");
    return list.Contains(this_string) && list.Contains(that_string);
}

bool IsThisThatAndSomethingElse(std::string_view t, text::NameLookup& list, ListedNames& names)
{
    names = ListedNames(t);
    bool listed = false;
    names.VisitWhile([&](std::string_view name) {
        listed = list.Contains(name);
        return !listed;
    });
    return listed;
}

} // namespace velmora::import
