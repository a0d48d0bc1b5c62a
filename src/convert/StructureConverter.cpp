#include "convert/StructureConverter.h"

#include <algorithm>
#include <map>

#include "convert/DescriptionBlocks.h"
#include "convert/HtmlText.h"

namespace velmora::convert {

namespace {

const DeclaredStruct* FindDeclaration(const ReferencePage& page, const HeaderDeclarations& header)
{
    const std::string tag = page.ItemName();
    if (const DeclaredStruct* found = header.FindStruct(tag)) return found;
    if (tag.starts_with("_"))
        if (const DeclaredStruct* found = header.FindStruct(tag.substr(1))) return found;
    const std::string title = page.title.substr(0, page.title.find(' '));
    return title.empty() ? nullptr : header.FindStruct(title);
}

// The position of the declared member an entry documents, or -1.
int MatchMember(const DeclaredStruct& declared, const std::string& name)
{
    for (std::size_t i = 0; i < declared.members.size(); ++i)
        if (declared.members[i].name == name) return static_cast<int>(i);
    // "wFlipMSTypes" under a nested structure's heading documents "MultiSampleCaps.wFlipMSTypes".
    int found = -1;
    for (std::size_t i = 0; i < declared.members.size(); ++i) {
        const std::string& member = declared.members[i].name;
        if (member.size() > name.size() && member.ends_with("." + name)) {
            if (found >= 0) return -1;
            found = static_cast<int>(i);
        }
    }
    return found;
}

// "- dwCaps.DDCAPS_3D": flags of member dwCaps documented under a heading of their
// own. The member's position and the flags' names, or -1.
int FlagCopyOwner(const DeclaredStruct& declared, const DocumentedEntry& entry, std::vector<std::string>& flags)
{
    const std::size_t dot = entry.name.find('.');
    if (dot == std::string::npos)
        return -1;
    flags = ReadFlagCell(entry.name.substr(dot + 1)).names;
    return flags.empty() ? -1 : MatchMember(declared, entry.name.substr(0, dot));
}

bool HasText(const DocumentedEntry& entry)
{
    for (const std::string& p : entry.paragraphs)
        if (!CollapseWhitespace(p).empty()) return true;
    return !entry.flags.empty();
}

bool HasFlag(const DocumentedEntry& entry, const std::string& name)
{
    return std::any_of(entry.flags.begin(), entry.flags.end(), [&](const DocumentedFlag& f) {
        return std::find(f.names.begin(), f.names.end(), name) != f.names.end();
    });
}

// Texts the structures parser would take for something else on a member row.
std::string MisreadMemberRow(const std::string& row)
{
    for (const char* mark : {"union", "} ", "{", "};"})
        if (row.find(mark) != std::string::npos) return mark;
    return {};
}

std::string Listed(const std::vector<std::string>& names)
{
    std::string all;
    for (const std::string& n : names)
        all += (all.empty() ? "" : ", ") + n;
    return all;
}

// Which page entry documents which declared member, and what the page has
// besides: placeholders, nested structures, second copies of flags, members the
// header lacks.
class MemberDocumentation {
public:
    MemberDocumentation(ConvertedItem& item, const DeclaredStruct& declared) : item_(item), declared_(declared) {}

    void Read(const std::vector<DocumentedEntry>& entries)
    {
        std::vector<std::pair<int, const DocumentedEntry*>> copies;
        std::vector<std::string> notDeclared;
        for (const DocumentedEntry& entry : entries) {
            const int m = MatchMember(declared_, entry.name);
            std::vector<std::string> flags;
            if (m >= 0) {
                Document(m, entry);
            } else if (const int owner = FlagCopyOwner(declared_, entry, flags); owner >= 0) {
                copies.emplace_back(owner, &entry);
            } else if (entry.name.starts_with("DUMMY")) {
                item_.Note(ItemKind::Member, entry.heading, "",
                           "a placeholder for a nameless union or structure, not a member");
            } else if (IsNestedStructure(entry.name)) {
                item_.Note(ItemKind::Member, entry.heading, "",
                           "a nested structure: its members are written in its place, its own text is dropped");
            } else {
                notDeclared.push_back(entry.name);
                item_.log.Count(ItemKind::Member, Outcome::NotInHeader);
                if (HasText(entry))
                    item_.log.Count(ItemKind::Description, Outcome::NotInHeader);
                for (const DocumentedFlag& f : entry.flags)
                    item_.log.Count(ItemKind::Flag, Outcome::NotInHeader, static_cast<int>(f.names.size()));
            }
        }
        if (!notDeclared.empty())
            item_.log.NotInHeaderLine(item_.name, "member(s) " + Listed(notDeclared)
                                                      + ": the page documents them, the header does not declare them");
        if (!placeholderNames_.empty())
            item_.log.Adapted(ItemKind::Member, item_.name,
                              "page had 'DUMMYUNIONNAMEN.' before " + Listed(placeholderNames_)
                                  + "; wrote the names alone: the layout names a member as the declaration does");
        ReadCopies(copies);
        for (std::size_t i = 1; i < pageOrder_.size(); ++i) {
            if (pageOrder_[i] < pageOrder_[i - 1]) {
                item_.Note(ItemKind::Member, "members in page order", "members in declaration order",
                           "the layout describes the members in the order they are declared");
                break;
            }
        }
    }

    const DocumentedEntry* Entry(int m) const
    {
        const auto found = entries_.find(m);
        return found == entries_.end() ? nullptr : found->second;
    }
    const std::vector<DocumentedFlag>& ExtraFlags(int m) { return extraFlags_[m]; }
    bool Empty() const { return entries_.empty(); }

private:
    bool IsNestedStructure(const std::string& name) const
    {
        return std::any_of(declared_.members.begin(), declared_.members.end(),
                           [&](const DeclaredMember& member) { return member.name.starts_with(name + "."); });
    }

    void Document(int m, const DocumentedEntry& entry)
    {
        const std::string& memberName = declared_.members[static_cast<std::size_t>(m)].name;
        const auto earlier = entries_.find(m);
        if (earlier != entries_.end()) {
            if (HasText(*earlier->second) || !HasText(entry)) {
                item_.Note(ItemKind::Member, entry.heading, "",
                           "member " + memberName + " is documented twice; the first text is kept");
                return;
            }
            item_.Note(ItemKind::Member, earlier->second->heading + " (empty)", memberName,
                       "the member's text stands under a later heading");
        } else {
            pageOrder_.push_back(m);
        }
        entries_[m] = &entry;
        std::string heading = entry.heading;
        if (heading.starts_with("-field ")) heading = heading.substr(7);
        const std::string shown = EntryName(entry.heading);
        if (heading.starts_with("DUMMY") && shown == memberName)
            placeholderNames_.push_back(memberName);
        else if (heading != memberName && shown != heading)
            item_.Note(ItemKind::Member, heading, memberName, "the layout names a member as the declaration does");
        else if (shown != memberName)
            item_.Note(ItemKind::Member, heading, memberName,
                       "documented under its own name inside a nested structure");
    }

    // "##### - dwCaps.DDCAPS_3D": the page documents many flags twice, once under
    // their member and once under headings of their own.
    void ReadCopies(const std::vector<std::pair<int, const DocumentedEntry*>>& copies)
    {
        std::map<int, int> twice;
        std::map<int, std::vector<std::string>> added;
        for (const auto& [m, entry] : copies) {
            std::vector<std::string> flags;
            FlagCopyOwner(declared_, *entry, flags);
            const DocumentedEntry* own = Entry(m);
            const bool known =
                own && std::all_of(flags.begin(), flags.end(), [&](const std::string& f) { return HasFlag(*own, f); });
            if (known) {
                twice[m] += static_cast<int>(flags.size());
            } else {
                const std::string written = entry->name.substr(entry->name.find('.') + 1);
                added[m].push_back(written);
                extraFlags_[m].push_back({written, std::move(flags), entry->paragraphs, {}});
            }
        }
        for (const auto& [m, count] : twice) {
            const std::string& member = declared_.members[static_cast<std::size_t>(m)].name;
            item_.log.Adapted(ItemKind::Flag, item_.name,
                              "page had " + std::to_string(count) + " flag(s) of " + member
                                  + " a second time, under '- " + member
                                  + ".FLAG' headings; wrote each once, from its first copy");
        }
        for (const auto& [m, flags] : added) {
            const std::string& member = declared_.members[static_cast<std::size_t>(m)].name;
            item_.log.Adapted(ItemKind::Flag, item_.name,
                              "page had " + Listed(flags) + " only under '- " + member
                                  + ".FLAG' headings; wrote them as flags of " + member);
        }
    }

    ConvertedItem& item_;
    const DeclaredStruct& declared_;
    std::map<int, const DocumentedEntry*> entries_;
    std::map<int, std::vector<DocumentedFlag>> extraFlags_;
    std::vector<int> pageOrder_;
    std::vector<std::string> placeholderNames_; // documented as "DUMMYUNIONNAMEN.lPitch"
};

// The declaration rows, from "typedef struct" to "Members"; empty with `why` when a
// member row would read as something else.
std::vector<std::string> DeclarationRows(const std::string& name, const DeclaredStruct& declared, std::string& why)
{
    std::vector<std::string> out{"typedef struct " + (declared.tag.empty() ? "_" + name : declared.tag) + " {"};
    int openGroup = -1;
    for (const DeclaredMember& member : declared.members) {
        if (member.unionGroup != openGroup) {
            if (openGroup >= 0)
                out.push_back("};");
            if (member.unionGroup >= 0)
                out.push_back("union {");
            openGroup = member.unionGroup;
        }
        const std::string row = member.type + " " + member.name + ";";
        if (const std::string mark = MisreadMemberRow(row); !mark.empty()) {
            why =
                "the member row '" + row + "' contains '" + mark + "', which the layout reads as declaration structure";
            return {};
        }
        out.push_back(row);
    }
    if (openGroup >= 0)
        out.push_back("};");
    out.push_back("} " + name + ";");
    out.push_back("Members");
    return out;
}

} // namespace

ConvertedItem ConvertStructure(const ReferencePage& page, const HeaderDeclarations& header)
{
    ConvertedItem item;
    item.name = page.ItemName();
    const DeclaredStruct* declared = FindDeclaration(page, header);
    if (!declared) {
        item.lost = true;
        CountDocumented(page, item.log, Outcome::NotInHeader);
        item.log.NotInHeaderLine(item.name, "the headers declare no structure '" + item.name + "'");
        return item;
    }
    item.name = declared->name;
    std::string why = declared->unrepresentable;
    const std::vector<std::string> declaration =
        why.empty() ? DeclarationRows(item.name, *declared, why) : std::vector<std::string>();
    if (!why.empty()) {
        item.lost = true;
        CountDocumented(page, item.log, Outcome::Lost);
        item.log.LostLine(item.name, why);
        return item;
    }
    for (const Adaptation& a : declared->adaptations)
        item.Note(a.ofMember ? ItemKind::Member : ItemKind::Structure, a.had, a.wrote, a.why, "header");

    MemberDocumentation documentation(item, *declared);
    documentation.Read(page.entries);
    if (documentation.Empty()) {
        item.Lose("the page documents none of the declared members");
        return item;
    }

    item.rows.push_back(item.name);
    item.rows.push_back(
        rows::FirstParagraph(item, ItemKind::Description, "description", page.description, page.descriptionCodeBlocks));
    item.rows.insert(item.rows.end(), declaration.begin(), declaration.end());
    std::vector<DescribedEntry> blocks;
    int typeRows = 0;
    for (std::size_t m = 0; m < declared->members.size(); ++m) {
        const DeclaredMember& member = declared->members[m];
        const DocumentedEntry* entry = documentation.Entry(static_cast<int>(m));
        DescribedEntry block{member.name, {}, {}};
        if (entry) {
            block.description = rows::FirstParagraph(item, ItemKind::Description, member.name + " description",
                                                     entry->paragraphs, entry->codeBlocks);
            for (const DocumentedFlag& flag : entry->flags)
                rows::AppendFlagRows(item, block.flagRows, member.name, flag);
            typeRows += entry->type.empty() ? 0 : 1;
        } else {
            block.description = "No description.";
            item.Note(ItemKind::Member, member.type + " " + member.name + ";", member.name + " / No description.",
                      "declared but not documented on the page: the declaration stays whole", "header");
        }
        for (const DocumentedFlag& flag : documentation.ExtraFlags(static_cast<int>(m)))
            rows::AppendFlagRows(item, block.flagRows, member.name, flag);
        item.log.Count(ItemKind::Member, Outcome::Written);
        blocks.push_back(std::move(block));
    }
    if (typeRows > 0)
        item.Note(
            ItemKind::Description, std::to_string(typeRows) + " 'Type:' row(s)", "",
            "a 'Type:' row names the member's type, which the declaration gives; the description is the text after it");
    item.flags = AppendDescriptionBlocks(item, ItemKind::Member, blocks, item.rows);
    item.members = static_cast<int>(blocks.size());
    rows::AppendRemarks(item, ItemKind::Structure, item.rows, "remarks", page.remarks, page.remarksCodeBlocks);
    rows::AppendQuickInfo(item, ItemKind::Structure, page.requirements);
    item.log.Count(ItemKind::Structure, Outcome::Written);
    return item;
}

} // namespace velmora::convert
