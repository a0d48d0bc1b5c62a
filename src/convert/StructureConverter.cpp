#include "convert/StructureConverter.h"

#include <map>

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

bool HasText(const DocumentedEntry& entry)
{
    for (const std::string& p : entry.paragraphs)
        if (!CollapseWhitespace(p).empty()) return true;
    return !entry.flags.empty();
}

// Texts the structures parser would take for something else on a member row.
std::string MisreadMemberRow(const std::string& row)
{
    for (const char* mark : {"union", "} ", "{", "};"})
        if (row.find(mark) != std::string::npos) return mark;
    return {};
}

} // namespace

ConvertedItem ConvertStructure(const ReferencePage& page, const HeaderDeclarations& header)
{
    ConvertedItem item;
    item.name = page.ItemName();
    const DeclaredStruct* declared = FindDeclaration(page, header);
    if (!declared) {
        item.Skip("the header declares no structure '" + item.name + "'");
        return item;
    }
    item.name = declared->name;
    if (!declared->unrepresentable.empty()) {
        item.Skip(declared->unrepresentable);
        return item;
    }
    for (const Adaptation& a : declared->adaptations) item.Note(a.had, a.wrote, a.why, "header");

    // Which entry documents which declared member.
    std::map<int, const DocumentedEntry*> documented;
    std::vector<int> pageOrder;
    for (const DocumentedEntry& entry : page.entries) {
        const int m = MatchMember(*declared, entry.name);
        if (m < 0) {
            bool nested = false;
            for (const DeclaredMember& member : declared->members) nested = nested || member.name.starts_with(entry.name + ".");
            item.Note(entry.heading, "",
                      entry.name.starts_with("DUMMY") ? "a placeholder for a nameless union or structure, not a member"
                      : nested ? "a nested structure: its members are written in its place, its own text is dropped"
                               : "documented but not declared in the header");
            continue;
        }
        const std::string& memberName = declared->members[static_cast<std::size_t>(m)].name;
        const std::string shown = EntryName(entry.heading);
        const auto earlier = documented.find(m);
        if (earlier != documented.end()) {
            if (HasText(*earlier->second) || !HasText(entry)) {
                item.Note(entry.heading, "", "member " + memberName + " is documented twice; the first text is kept");
                continue;
            }
            item.Note(earlier->second->heading + " (empty)", memberName,
                      "the member's text stands under a later heading");
        } else {
            pageOrder.push_back(m);
        }
        documented[m] = &entry;
        std::string heading = entry.heading;
        if (heading.starts_with("-field ")) heading = heading.substr(7);
        if (heading != memberName && shown != heading)
            item.Note(heading, memberName, "the layout names a member as the declaration does");
        else if (shown != memberName)
            item.Note(heading, memberName, "documented under its own name inside a nested structure");
    }
    if (documented.empty()) {
        item.Skip("the page documents none of the declared members");
        return item;
    }
    for (std::size_t i = 1; i < pageOrder.size(); ++i) {
        if (pageOrder[i] < pageOrder[i - 1]) {
            item.Note("members in page order", "members in declaration order",
                      "the layout describes the members in the order they are declared");
            break;
        }
    }

    item.rows.push_back(item.name);
    item.rows.push_back(rows::FirstParagraph(item, "description", page.description, page.descriptionCodeBlocks));
    item.rows.push_back("typedef struct " + (declared->tag.empty() ? "_" + item.name : declared->tag) + " {");
    int openGroup = -1;
    for (std::size_t m = 0; m < declared->members.size(); ++m) {
        const DeclaredMember& member = declared->members[m];
        if (!documented.count(static_cast<int>(m))) {
            item.Note(member.type + " " + member.name + ";", "", "declared but not documented on the page", "header");
            continue;
        }
        if (member.unionGroup != openGroup) {
            if (openGroup >= 0) item.rows.push_back("};");
            if (member.unionGroup >= 0) item.rows.push_back("union {");
            openGroup = member.unionGroup;
        }
        const std::string row = member.type + " " + member.name + ";";
        if (const std::string mark = MisreadMemberRow(row); !mark.empty()) {
            item.Skip("the member row '" + row + "' contains '" + mark + "', which the layout reads as declaration structure");
            return item;
        }
        if (rows::LooksLikeFlagRow(member.name)) {
            item.Skip("the member name '" + member.name + "' has no lowercase letter and would be read as a flag");
            return item;
        }
        item.rows.push_back(row);
    }
    if (openGroup >= 0) item.rows.push_back("};");
    item.rows.push_back("} " + item.name + ";");
    item.rows.push_back("Members");

    for (const auto& [m, entry] : documented) {
        const std::string& memberName = declared->members[static_cast<std::size_t>(m)].name;
        item.rows.push_back(memberName);
        item.rows.push_back(rows::FirstParagraph(item, memberName + " description", entry->paragraphs, entry->codeBlocks));
        for (const DocumentedFlag& flag : entry->flags) item.flags += rows::AppendFlagRows(item, item.rows, memberName, flag);
        rows::NoteOtherTableRows(item, memberName, *entry);
        ++item.members;
    }

    if (!page.remarks.empty() || page.remarksCodeBlocks > 0) {
        item.rows.push_back("Remarks");
        for (const std::string& remark : page.remarks) {
            const std::string row = rows::OneRow(remark, "");
            if (row.empty()) continue;
            if (row == "QuickInfo") {
                item.Note(row, "", "a remark reading 'QuickInfo' would end the remarks");
                continue;
            }
            item.rows.push_back(row);
        }
        if (page.remarksCodeBlocks > 0)
            item.Note(std::to_string(page.remarksCodeBlocks) + " code block(s) in the remarks", "",
                      "the layout has no place for code");
    }
    rows::AppendQuickInfo(item, page.requirements);
    return item;
}

} // namespace velmora::convert
