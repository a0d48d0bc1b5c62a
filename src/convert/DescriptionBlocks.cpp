#include "convert/DescriptionBlocks.h"

namespace velmora::convert {

namespace {

// "A and B" for two names, "A, B, and C" for more: the layout's pair and list rows.
std::string GroupRow(const std::vector<DescribedEntry>& entries, std::size_t from, std::size_t to)
{
    if (to - from == 2)
        return entries[from].name + " and " + entries[from + 1].name;
    std::string row;
    for (std::size_t i = from; i + 1 < to; ++i)
        row += entries[i].name + ", ";
    return row + "and " + entries[to - 1].name;
}

std::string GroupDescription(const std::vector<DescribedEntry>& entries, std::size_t from, std::size_t to)
{
    bool same = true;
    for (std::size_t i = from + 1; i < to; ++i)
        same = same && entries[i].description == entries[from].description;
    if (same)
        return entries[from].description;
    std::string joined;
    for (std::size_t i = from; i < to; ++i)
        joined += (joined.empty() ? "" : " ") + entries[i].name + ": " + entries[i].description;
    return joined;
}

} // namespace

int AppendDescriptionBlocks(ConvertedItem& item, ItemKind kind, const std::vector<DescribedEntry>& entries,
                            std::vector<std::string>& out)
{
    int flags = 0;
    for (std::size_t from = 0; from < entries.size();) {
        std::size_t to = from + 1;
        while (to < entries.size() && rows::LooksLikeFlagRow(entries[to].name))
            ++to;
        if (to - from == 1) {
            out.push_back(entries[from].name);
            out.push_back(entries[from].description);
            out.insert(out.end(), entries[from].flagRows.begin(), entries[from].flagRows.end());
            flags += static_cast<int>(entries[from].flagRows.size());
            from = to;
            continue;
        }
        const std::string row = GroupRow(entries, from, to);
        out.push_back(row);
        out.push_back(GroupDescription(entries, from, to));
        std::string names;
        for (std::size_t i = from + 1; i < to; ++i)
            names += (names.empty() ? "" : ", ") + entries[i].name;
        item.log.Adapted(kind, item.name,
                         "page had " + names + " without lowercase letters; wrote '" + row
                             + "': a name row like that would read as a flag, a pair or list row reads as names; "
                               "their descriptions share one row");
        for (std::size_t i = from; i < to; ++i) {
            const int lost = static_cast<int>(entries[i].flagRows.size());
            if (lost == 0)
                continue;
            item.log.Count(ItemKind::Flag, Outcome::Written, -lost);
            item.log.Count(ItemKind::Flag, Outcome::Lost, lost);
            item.log.LostLine(item.name, std::to_string(lost) + " flag(s) of " + entries[i].name
                                             + ": the layout reads no flags after a pair or list row ('" + row + "')");
        }
        from = to;
    }
    return flags;
}

} // namespace velmora::convert
