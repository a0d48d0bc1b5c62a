#include "convert/ReferencePage.h"

#include <cctype>

#include "convert/HtmlText.h"

namespace velmora::convert {

namespace {

bool HasLowercase(std::string_view word)
{
    for (const char c : word)
        if (c >= 'a' && c <= 'z') return true;
    return false;
}

std::string Trimmed(std::string_view text)
{
    return CollapseWhitespace(text);
}

// Section names of the page body: "## -description" and so on.
enum class Section { None, Description, Fields, Parameters, Returns, Remarks, Methods, Syntax, Ignored };

Section SectionOf(const std::string& heading)
{
    if (heading == "-description") return Section::Description;
    if (heading == "-struct-fields") return Section::Fields;
    if (heading == "-parameters") return Section::Parameters;
    if (heading == "-returns") return Section::Returns;
    if (heading == "-remarks") return Section::Remarks;
    if (heading == "-inheritance" || heading == "-members") return Section::Methods;
    if (heading == "-syntax") return Section::Syntax;
    return Section::Ignored;
}

void AddRequirement(std::vector<std::string>& out, const Page& page, const char* key, const char* label)
{
    const std::string value = page.Field(key);
    if (!value.empty()) out.push_back(std::string(label) + value);
}

} // namespace

std::vector<std::string> FlagNames(std::string_view text)
{
    std::string spaced;
    for (const char c : text) spaced.push_back(c == ',' || c == '|' || c == '/' ? ' ' : c);
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < spaced.size()) {
        while (at < spaced.size() && spaced[at] == ' ') ++at;
        std::size_t end = at;
        while (end < spaced.size() && spaced[end] != ' ') ++end;
        const std::string word = spaced.substr(at, end - at);
        at = end;
        if (word.empty() || word == "or" || word == "and") continue;
        if (HasLowercase(word) || !(std::isupper(static_cast<unsigned char>(word[0])) || word[0] == '_' ||
                                    std::isdigit(static_cast<unsigned char>(word[0]))))
            return {};
        names.push_back(word);
    }
    return names;
}

std::string EntryName(std::string_view heading)
{
    std::string name = Trimmed(heading);
    for (const char* mark : {"-field ", "-param ", "- "})
        if (name.starts_with(mark)) name = Trimmed(name.substr(std::string_view(mark).size()));
    // "dwFlags [in]", "dwFlags [in, optional]": the annotation is no part of the name.
    if (const std::size_t bracket = name.find(" ["); bracket != std::string::npos) name = name.substr(0, bracket);
    // "DUMMYUNIONNAMEN.lPitch", "DUMMYUNIONNAMEN3.MultiSampleCaps.wBltMSTypes": placeholders go.
    while (name.starts_with("DUMMY")) {
        const std::size_t dot = name.find('.');
        if (dot == std::string::npos) break;
        name = name.substr(dot + 1);
    }
    return name;
}

std::string ReferencePage::ItemName() const
{
    // "NS:ddraw._DDCOLORKEY", "NN:ddraw.IDirectDraw7", "NF:ddraw.IDirectDraw7.Compact"
    const std::size_t colon = uid.find(':');
    const std::size_t dot = uid.find('.', colon == std::string::npos ? 0 : colon);
    if (dot == std::string::npos) return {};
    const std::string rest = uid.substr(dot + 1);
    if (kind == PageKind::Method) return rest.substr(0, rest.find('.'));
    return rest;
}

std::string ReferencePage::MethodName() const
{
    const std::string rest = uid.substr(uid.find('.') == std::string::npos ? uid.size() : uid.find('.') + 1);
    const std::size_t dot = rest.find('.');
    return dot == std::string::npos ? std::string() : rest.substr(dot + 1);
}

std::vector<std::string> SyntaxParameterNames(std::string_view syntax)
{
    const std::size_t open = syntax.find('(');
    const std::size_t close = syntax.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return {};
    std::string list(syntax.substr(open + 1, close - open - 1));
    // Annotations in brackets may hold commas ("[in, optional]"): remove them first.
    for (std::size_t at = list.find('['); at != std::string::npos; at = list.find('[', at)) {
        const std::size_t end = list.find(']', at);
        if (end == std::string::npos) break;
        list.erase(at, end - at + 1);
    }
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(',', start);
        if (end == std::string::npos) end = list.size();
        std::string last;
        std::string word;
        for (std::size_t i = start; i <= end; ++i) {
            const char c = i < end ? list[i] : ' ';
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
                word.push_back(c);
                continue;
            }
            const bool sal = word.size() > 2 && word.front() == '_' && word.back() == '_';
            if (!word.empty() && !sal) last = word;
            word.clear();
        }
        if (!last.empty() && last != "void") names.push_back(last);
        start = end + 1;
    }
    return names;
}

ReferencePage ReadReferencePage(const Page& page)
{
    ReferencePage out;
    out.uid = page.Field("UID");
    out.title = page.Field("title");
    if (out.uid.starts_with("NS:")) out.kind = PageKind::Structure;
    else if (out.uid.starts_with("NN:")) out.kind = PageKind::Interface;
    else if (out.uid.starts_with("NF:")) out.kind = PageKind::Method;

    AddRequirement(out.requirements, page, "req.header", "Header: Declared in ");
    AddRequirement(out.requirements, page, "req.lib", "Import Library: ");
    AddRequirement(out.requirements, page, "req.dll", "DLL: ");
    AddRequirement(out.requirements, page, "req.target-min-winverclnt", "Minimum supported client: ");
    AddRequirement(out.requirements, page, "req.target-min-winversvr", "Minimum supported server: ");
    AddRequirement(out.requirements, page, "targetos", "Target platform: ");

    Section section = Section::None;
    DocumentedEntry* entry = nullptr;
    DocumentedFlag* flag = nullptr;
    for (const PageBlock& block : page.blocks) {
        if (block.kind == PageBlock::Kind::Heading && block.level <= 2) {
            section = SectionOf(block.text);
            entry = nullptr;
            flag = nullptr;
            continue;
        }
        switch (section) {
        case Section::Description:
            if (block.kind == PageBlock::Kind::Code) ++out.descriptionCodeBlocks;
            else if (block.kind != PageBlock::Kind::Heading && !block.text.empty()) out.description.push_back(block.text);
            break;
        case Section::Returns:
            if (block.kind == PageBlock::Kind::Paragraph || block.kind == PageBlock::Kind::List)
                out.returns.push_back(block.text);
            break;
        case Section::Remarks:
            if (block.kind == PageBlock::Kind::Code) ++out.remarksCodeBlocks;
            else if (block.kind == PageBlock::Kind::Paragraph || block.kind == PageBlock::Kind::List)
                out.remarks.push_back(block.text);
            break;
        case Section::Syntax:
            if (block.kind == PageBlock::Kind::Code && out.syntaxParameters.empty())
                out.syntaxParameters = SyntaxParameterNames(block.text);
            break;
        case Section::Methods:
            if (block.kind == PageBlock::Kind::Table) {
                for (const auto& row : block.rows) {
                    if (row.empty()) continue;
                    std::string method = row.front();
                    if (const std::size_t colons = method.rfind("::"); colons != std::string::npos)
                        method = method.substr(colons + 2);
                    if (!method.empty() && method != "Method" && method.find(' ') == std::string::npos)
                        out.methods.push_back(method);
                }
            }
            break;
        case Section::Fields:
        case Section::Parameters:
            if (block.kind == PageBlock::Kind::Heading) {
                const std::vector<std::string> names = FlagNames(block.text);
                const bool entryHeading = block.text.starts_with("-field") || block.text.starts_with("- ") ||
                                          block.text.starts_with("-param ") ||
                                          (section == Section::Fields && names.empty());
                if (!names.empty() && entry && !block.text.starts_with("- ")) {
                    entry->flags.push_back({block.text, names, {}});
                    flag = &entry->flags.back();
                } else if (entryHeading && !EntryName(block.text).empty()) {
                    out.entries.push_back({block.text, EntryName(block.text), {}, 0, {}, {}});
                    entry = &out.entries.back();
                    flag = nullptr;
                }
            } else if (!entry) {
                continue;
            } else if (block.kind == PageBlock::Kind::Table) {
                for (const auto& row : block.rows) {
                    if (row.size() < 2) continue;
                    std::vector<std::string> names = FlagNames(row[0]);
                    if (names.empty()) {
                        if (row[0] != "Flag" && row[0] != "Value" && row[0] != "Meaning" && row[0] != "Constant")
                            entry->otherTableRows.push_back(row[0] + " | " + row[1]);
                        continue;
                    }
                    entry->flags.push_back({row[0], std::move(names), {row[1]}});
                }
                flag = nullptr;
            } else if (block.kind == PageBlock::Kind::Code) {
                ++entry->codeBlocks;
            } else if (flag) {
                flag->paragraphs.push_back(block.text);
            } else {
                entry->paragraphs.push_back(block.text);
            }
            break;
        case Section::None:
        case Section::Ignored:
            break;
        }
    }
    return out;
}

} // namespace velmora::convert
