#include "convert/InterfaceConverter.h"

#include <algorithm>
#include <map>
#include <set>

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

// The parameter row as the interfaces parser takes it apart: type, then the
// pointer modifier glued to the name, a comma after all but the last.
std::string ParameterRow(const DeclaredParameter& p, const std::string& name, bool last)
{
    std::string modifier = p.modifier;
    return p.type + " " + modifier + name + (last ? "" : ",");
}

// One method's rows, or a reason why it cannot be written.
struct MethodRows {
    std::vector<std::string> rows;
    std::string skipped;
    int parameters = 0;
    int flags = 0;
};

MethodRows ConvertMethod(ConvertedItem& item, const std::string& interfaceName, const ReferencePage& page,
                         const DeclaredMethod& declared)
{
    MethodRows out;
    const std::string method = declared.name;
    std::vector<std::string> documented;
    std::map<std::string, const DocumentedEntry*> entries;
    for (const DocumentedEntry& entry : page.entries) {
        documented.push_back(entry.name);
        entries[entry.name] = &entry;
        std::string heading = entry.heading;
        if (heading.starts_with("- ")) heading = heading.substr(2);
        if (heading != entry.name)
            item.Note(interfaceName + "::" + method + " parameter '" + heading + "'", entry.name,
                      "the direction annotation is no part of the parameter's name");
    }
    // A header without parameter names leaves the order open; the page's own rendered
    // prototype, where it has one, names them in order.
    std::vector<DeclaredParameter> parameters = declared.parameters;
    const bool unnamed = std::any_of(parameters.begin(), parameters.end(), [](const auto& p) { return p.name.empty(); });
    if (unnamed && page.syntaxParameters.size() == parameters.size()) {
        for (std::size_t i = 0; i < parameters.size(); ++i) parameters[i].name = page.syntaxParameters[i];
        item.log.push_back(interfaceName + ": " + method +
                           " parameter order taken from the page's syntax block, annotations such as [in] removed");
    }
    std::vector<std::string> notes;
    std::string why;
    const auto order = OrderParameters(parameters, documented, notes, why);
    if (!order) {
        out.skipped = why;
        return out;
    }
    for (const std::string& note : notes) item.log.push_back(interfaceName + ": " + method + " " + note);
    if (*order != documented)
        item.Note(interfaceName + "::" + method + " parameters in page order", "parameters in prototype order",
                  "the layout describes the parameters in the order of the prototype, which the header gives");
    for (std::size_t i = 0; i < declared.parameters.size(); ++i) {
        const DeclaredParameter& p = declared.parameters[i];
        if (p.type.find(' ') != std::string::npos) {
            out.skipped = "the parameter type '" + p.type + "' of several words does not fit a parameter row";
            return out;
        }
        if (p.modifier.find("**") != std::string::npos) {
            out.skipped = "the parameter '" + (*order)[i] + "' is a pointer to a pointer ('**'), which a parameter row cannot hold";
            return out;
        }
        if (rows::LooksLikeFlagRow((*order)[i])) {
            out.skipped = "the parameter name '" + (*order)[i] + "' has no lowercase letter and would be read as a flag";
            return out;
        }
    }

    out.rows.push_back(interfaceName + "::" + method);
    std::string description = rows::FirstParagraph(item, method + " description", page.description, page.descriptionCodeBlocks);
    if (description.find(' ') == std::string::npos) {
        item.Note(description, description + " (method)", "a method's description row must hold a space");
        description += " (method)";
    }
    out.rows.push_back(description);
    if (declared.parameters.empty()) {
        out.rows.push_back(declared.returnType + " " + method + "();");
    } else {
        out.rows.push_back(declared.returnType + " " + method + "(");
        for (std::size_t i = 0; i < declared.parameters.size(); ++i)
            out.rows.push_back(ParameterRow(declared.parameters[i], (*order)[i], i + 1 == declared.parameters.size()));
        out.rows.push_back(");");
        out.rows.push_back("Parameters");
        for (const std::string& name : *order) {
            const DocumentedEntry& entry = *entries.at(name);
            out.rows.push_back(name);
            out.rows.push_back(rows::FirstParagraph(item, method + " " + name + " description", entry.paragraphs, entry.codeBlocks));
            for (const DocumentedFlag& flag : entry.flags) out.flags += rows::AppendFlagRows(item, out.rows, name, flag);
            rows::NoteOtherTableRows(item, name, entry);
            ++out.parameters;
        }
    }
    if (!page.returns.empty()) {
        out.rows.push_back("Return Values");
        out.rows.push_back(rows::FirstParagraph(item, method + " return value", page.returns, 0));
    }
    if (!page.remarks.empty()) {
        out.rows.push_back("Remarks");
        for (const std::string& remark : page.remarks) {
            const std::string row = rows::OneRow(remark, "");
            if (row.empty()) continue;
            if (row == "QuickInfo" || row == interfaceName) {
                item.Note(row, "", "this remark would end the remarks");
                continue;
            }
            out.rows.push_back(row);
        }
        if (page.remarksCodeBlocks > 0)
            item.Note(std::to_string(page.remarksCodeBlocks) + " code block(s) in the " + method + " remarks", "",
                      "the layout has no place for code");
    }
    ConvertedItem quickInfo;
    quickInfo.name = item.name;
    rows::AppendQuickInfo(quickInfo, page.requirements);
    out.rows.insert(out.rows.end(), quickInfo.rows.begin(), quickInfo.rows.end());
    item.log.insert(item.log.end(), quickInfo.log.begin(), quickInfo.log.end());
    return out;
}

ConvertedItem ConvertInterface(const ReferencePage& page, const std::vector<const ReferencePage*>& methodPages,
                               const HeaderDeclarations& header)
{
    ConvertedItem item;
    item.name = page.ItemName();
    const DeclaredInterface* declared = header.FindInterface(item.name);
    if (!declared) {
        item.Skip("the header declares no interface '" + item.name + "'");
        return item;
    }
    std::set<std::string> given;
    std::vector<std::pair<std::string, MethodRows>> converted;
    for (const ReferencePage* methodPage : methodPages) {
        const std::string name = methodPage->MethodName();
        if (!given.insert(name).second) {
            item.Note(methodPage->uid, "", "the method page is given twice; the first is converted");
            continue;
        }
        const DeclaredMethod* method = FindMethod(*declared, name);
        if (!method) {
            item.log.push_back(item.name + ": method " + name + " skipped: the header declares no such method");
            ++item.skippedParts;
            continue;
        }
        if (IsUnknownMethod(name)) {
            item.Note(methodPage->uid, name + " in the method list only", "the layout reads no definition for it");
            continue;
        }
        MethodRows rows = ConvertMethod(item, item.name, *methodPage, *method);
        if (!rows.skipped.empty()) {
            item.log.push_back(item.name + ": method " + name + " skipped: " + rows.skipped);
            ++item.skippedParts;
            continue;
        }
        converted.emplace_back(name, std::move(rows));
    }
    for (const std::string& listed : page.methods)
        if (!given.count(listed) && !IsUnknownMethod(listed) && FindMethod(*declared, listed))
            item.Note(item.name + "::" + listed, "", "listed on the interface page but no method page was given");
    if (converted.empty()) {
        item.Skip("none of its methods could be converted, and the layout needs at least one definition");
        return item;
    }
    if (!page.remarks.empty())
        item.Note(std::to_string(page.remarks.size()) + " paragraph(s) of interface remarks", "",
                  "the layout has no place for an interface's remarks");

    std::vector<std::string> list;
    for (const DeclaredMethod& m : declared->methods)
        if (IsUnknownMethod(m.name)) list.push_back(m.name);
    for (const auto& [name, rows] : converted) list.push_back(name);
    std::sort(list.begin(), list.end());
    std::sort(converted.begin(), converted.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    item.rows.push_back(item.name);
    item.rows.push_back(rows::FirstParagraph(item, "description", page.description, page.descriptionCodeBlocks));
    item.rows.insert(item.rows.end(), list.begin(), list.end());
    for (auto& [name, rows] : converted) {
        item.rows.insert(item.rows.end(), rows.rows.begin(), rows.rows.end());
        item.members += rows.parameters;
        item.flags += rows.flags;
        ++item.methods;
    }
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
        orphan.Skip("no interface page for " + method.ItemName() + " was given");
        items.push_back(std::move(orphan));
    }
    return items;
}

} // namespace velmora::convert
