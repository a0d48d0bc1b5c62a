#include "convert/InterfaceConverter.h"

#include <algorithm>
#include <map>
#include <set>

#include "convert/DescriptionBlocks.h"
#include "convert/HtmlText.h"
#include "convert/ParameterOrder.h"

namespace velmora::convert {

namespace {

bool IsUnknownMethod(const std::string& name)
{
    return name == "QueryInterface" || name == "AddRef" || name == "Release";
}

const DeclaredMethod* FindMethod(const DeclaredInterface& declared, const std::string& name)
{
    for (const DeclaredMethod& m : declared.methods)
        if (m.name == name) return &m;
    return nullptr;
}

// The parameter row as the interfaces parser takes it apart: the type is the first
// word, the name what follows the first '*' (or the first space). So the type is
// one word and the row holds one '*': "struct IDirect3DDevice9 **ppDevice" is
// written "LPDIRECT3DDEVICE9 *ppDevice". Returns the row, or empty with `why`.
std::string ParameterRow(const DeclaredParameter& p, const std::string& name, bool last,
                         const HeaderDeclarations& header, std::string& adapted, std::string& why)
{
    std::string type = p.type;
    for (const char* keyword : {"struct ", "union ", "enum "})
        if (type.starts_with(keyword))
            type = type.substr(std::string_view(keyword).size());
    if (type.find(' ') != std::string::npos) {
        why = "the parameter type '" + p.type + "' of several words does not fit a parameter row";
        return {};
    }
    std::string modifier = p.modifier;
    while (std::count(modifier.begin(), modifier.end(), '*') > 1) {
        const std::string pointer = header.PointerTypeOf(type);
        if (pointer.empty()) {
            why = "the parameter '" + name + "' is a pointer to a pointer ('" + p.type + " " + p.modifier
                  + "'), and the headers declare no pointer type for " + type + " that a row of one '*' could use";
            return {};
        }
        type = pointer;
        modifier.erase(modifier.rfind('*'), 1);
    }
    const std::string row = type + " " + modifier + name;
    if (type != p.type || modifier != p.modifier)
        adapted = "header had '" + p.type + " " + p.modifier + p.name + "'; wrote '" + row
                  + "': a parameter row's type is one word and the row holds one '*'";
    return last ? row : row + ",";
}

// One method's rows and log, or why it cannot be written.
struct MethodRows {
    std::vector<std::string> rows;
    ConversionLog log;
    std::string lost;
    int parameters = 0;
    int flags = 0;
};

// The "Type:" rows opening the parameter and return sections name types the
// prototype already gives: one log line for them all.
void NoteTypeRows(ConvertedItem& item, const ReferencePage& page, const std::string& method)
{
    int typeRows = page.returnType.empty() ? 0 : 1;
    for (const DocumentedEntry& entry : page.entries)
        typeRows += entry.type.empty() ? 0 : 1;
    if (typeRows > 0)
        item.Note(ItemKind::Description, std::to_string(typeRows) + " 'Type:' row(s) in " + method, "",
                  "a 'Type:' row names the type, which the prototype gives; the description is the text after it");
}

MethodRows ConvertMethod(const std::string& interfaceName, const ReferencePage& page, const DeclaredMethod& declared,
                         const HeaderDeclarations& header)
{
    MethodRows out;
    ConvertedItem item; // collects this method's log under the interface's name
    item.name = interfaceName;
    const std::string method = declared.name;
    std::vector<PageParameter> documented;
    std::string annotated;
    for (const DocumentedEntry& entry : page.entries) {
        documented.push_back({entry.name, entry.type});
        std::string heading = entry.heading;
        for (const char* mark : {"-param ", "- "})
            if (heading.starts_with(mark))
                heading = heading.substr(std::string_view(mark).size());
        if (heading != entry.name)
            annotated += (annotated.empty() ? "'" : ", '") + heading + "'";
        for (const std::string& stray : entry.strayHeadings)
            item.Note(ItemKind::Parameter, stray, entry.name,
                      "a heading inside parameter " + entry.name + " with nothing before it: its text is " + entry.name
                          + "'s");
    }
    if (!annotated.empty())
        item.log.Adapted(ItemKind::Parameter, interfaceName,
                         "page had " + annotated + " in " + method
                             + "; wrote the names alone: a direction annotation is no part of a name");
    // A header without parameter names leaves the order open; the page's own rendered
    // prototype, where it has one, names them in order.
    std::vector<DeclaredParameter> parameters = declared.parameters;
    const bool unnamed = std::any_of(parameters.begin(), parameters.end(), [](const auto& p) { return p.name.empty(); });
    if (unnamed && page.syntaxParameters.size() == parameters.size()) {
        for (std::size_t i = 0; i < parameters.size(); ++i) parameters[i].name = page.syntaxParameters[i];
        item.log.Adapted(
            ItemKind::Method, interfaceName,
            method + ": parameter names taken from the page's syntax block, annotations such as [in] removed");
    }
    std::string why;
    const auto pairing = PairParameters(parameters, documented, why);
    if (!pairing) {
        out.lost = why;
        return out;
    }
    for (const std::string& note : pairing->notes)
        item.log.Adapted(ItemKind::Parameter, interfaceName, method + " " + note);
    std::vector<std::size_t> pageOrder(pairing->pageIndex);
    if (!std::is_sorted(pageOrder.begin(), pageOrder.end()))
        item.Note(ItemKind::Method, interfaceName + "::" + method + " parameters in page order",
                  "parameters in prototype order",
                  "the layout describes the parameters in the order of the prototype, which the header gives");
    std::vector<std::string> parameterRows;
    for (std::size_t i = 0; i < declared.parameters.size(); ++i) {
        std::string adapted;
        const std::string row = ParameterRow(declared.parameters[i], pairing->names[i],
                                             i + 1 == declared.parameters.size(), header, adapted, why);
        if (row.empty()) {
            out.lost = why;
            return out;
        }
        if (!adapted.empty())
            item.log.Adapted(ItemKind::Parameter, interfaceName, method + ": " + adapted);
        parameterRows.push_back(row);
    }

    item.rows.push_back(interfaceName + "::" + method);
    std::string description = rows::FirstParagraph(item, ItemKind::Description, method + " description",
                                                   page.description, page.descriptionCodeBlocks);
    if (description.find(' ') == std::string::npos) {
        item.Note(ItemKind::Description, description, description + " (method)",
                  "a method's description row must hold a space");
        description += " (method)";
    }
    item.rows.push_back(description);
    NoteTypeRows(item, page, method);
    if (declared.parameters.empty()) {
        item.rows.push_back(declared.returnType + " " + method + "();");
    } else {
        item.rows.push_back(declared.returnType + " " + method + "(");
        item.rows.insert(item.rows.end(), parameterRows.begin(), parameterRows.end());
        item.rows.push_back(");");
        item.rows.push_back("Parameters");
        std::vector<DescribedEntry> blocks;
        for (std::size_t i = 0; i < declared.parameters.size(); ++i) {
            const DocumentedEntry& entry = page.entries[pairing->pageIndex[i]];
            DescribedEntry block{pairing->names[i],
                                 rows::FirstParagraph(item, ItemKind::Description,
                                                      method + " " + entry.name + " description", entry.paragraphs,
                                                      entry.codeBlocks),
                                 {}};
            for (const DocumentedFlag& flag : entry.flags)
                rows::AppendFlagRows(item, block.flagRows, entry.name, flag);
            blocks.push_back(std::move(block));
            item.log.Count(ItemKind::Parameter, Outcome::Written);
            ++out.parameters;
        }
        out.flags = AppendDescriptionBlocks(item, ItemKind::Parameter, blocks, item.rows);
    }
    if (!page.returns.empty()) {
        item.rows.push_back("Return Values");
        item.rows.push_back(
            rows::FirstParagraph(item, ItemKind::ReturnValue, method + " return value", page.returns, 0));
    }
    rows::AppendRemarks(item, ItemKind::Method, item.rows, method + " remarks", page.remarks, page.remarksCodeBlocks,
                        interfaceName);
    rows::AppendQuickInfo(item, ItemKind::Method, page.requirements);
    item.log.Count(ItemKind::Method, Outcome::Written);
    out.rows = std::move(item.rows);
    out.log = std::move(item.log);
    return out;
}

ConvertedItem ConvertInterface(const ReferencePage& page, const std::vector<const ReferencePage*>& methodPages,
                               const HeaderDeclarations& header)
{
    ConvertedItem item;
    item.name = page.ItemName();
    const DeclaredInterface* declared = header.FindInterface(item.name);
    if (!declared) {
        item.lost = true;
        CountDocumented(page, item.log, Outcome::NotInHeader);
        for (const ReferencePage* methodPage : methodPages)
            CountDocumented(*methodPage, item.log, Outcome::NotInHeader);
        item.log.NotInHeaderLine(item.name, "the headers declare no interface '" + item.name + "'; its "
                                                + std::to_string(methodPages.size())
                                                + " method page(s) are not converted");
        return item;
    }
    std::set<std::string> given;
    std::vector<std::pair<std::string, MethodRows>> converted;
    for (const ReferencePage* methodPage : methodPages) {
        const std::string name = methodPage->MethodName();
        given.insert(name);
        const DeclaredMethod* method = FindMethod(*declared, name);
        if (!method) {
            CountDocumented(*methodPage, item.log, Outcome::NotInHeader);
            item.log.NotInHeaderLine(item.name, "method " + name + ": the header declares no such method");
            continue;
        }
        if (IsUnknownMethod(name)) {
            // Its name is in the method list; what its page says has no place.
            CountDocumented(*methodPage, item.log, Outcome::Lost);
            item.log.Count(ItemKind::Method, Outcome::Lost, -1);
            item.log.Count(ItemKind::Method, Outcome::Written);
            item.log.LostLine(item.name, "method " + name
                                             + ": only its name is written, in the method list: the layout "
                                               "reads no definition for AddRef, QueryInterface and Release");
            continue;
        }
        MethodRows rows = ConvertMethod(item.name, *methodPage, *method, header);
        if (!rows.lost.empty()) {
            CountDocumented(*methodPage, item.log, Outcome::Lost);
            item.log.LostLine(item.name, "method " + name + ": " + rows.lost);
            continue;
        }
        converted.emplace_back(name, std::move(rows));
    }
    std::string unlisted;
    for (const std::string& listed : page.methods)
        if (!given.count(listed) && !IsUnknownMethod(listed) && FindMethod(*declared, listed))
            unlisted += (unlisted.empty() ? "" : ", ") + listed;
    if (!unlisted.empty())
        item.Note(ItemKind::Interface, unlisted, "", "listed on the interface page, but no method page was given");
    if (converted.empty()) {
        item.lost = true;
        item.log.Count(ItemKind::Interface, Outcome::Lost);
        if (!page.description.empty())
            item.log.Count(ItemKind::Description, Outcome::Lost);
        item.log.LostLine(item.name,
                          "none of its methods could be converted, and the layout needs at least one definition");
        return item;
    }
    if (!page.remarks.empty())
        item.Note(ItemKind::Interface, std::to_string(page.remarks.size()) + " paragraph(s) of interface remarks", "",
                  "the layout has no place for an interface's remarks");

    std::vector<std::string> list;
    for (const DeclaredMethod& m : declared->methods)
        if (IsUnknownMethod(m.name)) list.push_back(m.name);
    for (const auto& [name, rows] : converted) list.push_back(name);
    std::sort(list.begin(), list.end());
    std::sort(converted.begin(), converted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    item.rows.push_back(item.name);
    item.rows.push_back(
        rows::FirstParagraph(item, ItemKind::Description, "description", page.description, page.descriptionCodeBlocks));
    item.rows.insert(item.rows.end(), list.begin(), list.end());
    for (auto& [name, rows] : converted) {
        item.rows.insert(item.rows.end(), rows.rows.begin(), rows.rows.end());
        item.log.Append(rows.log);
        item.members += rows.parameters;
        item.flags += rows.flags;
    }
    item.log.Count(ItemKind::Interface, Outcome::Written);
    return item;
}

} // namespace

std::vector<ConvertedItem> ConvertInterfaces(const std::vector<ReferencePage>& interfaces,
                                             const std::vector<ReferencePage>& methods,
                                             const HeaderDeclarations& header)
{
    std::vector<ConvertedItem> items;
    std::set<std::string> known;
    for (const ReferencePage& page : interfaces) {
        known.insert(page.ItemName());
        std::vector<const ReferencePage*> own;
        for (const ReferencePage& method : methods)
            if (method.ItemName() == page.ItemName()) own.push_back(&method);
        items.push_back(ConvertInterface(page, own, header));
    }
    for (const ReferencePage& method : methods) {
        if (known.count(method.ItemName())) continue;
        ConvertedItem orphan;
        orphan.name = method.ItemName() + "::" + method.MethodName();
        orphan.lost = true;
        CountDocumented(method, orphan.log, Outcome::Lost);
        orphan.log.LostLine(orphan.name, "no interface page for " + method.ItemName() + " was given");
        items.push_back(std::move(orphan));
    }
    return items;
}

} // namespace velmora::convert
