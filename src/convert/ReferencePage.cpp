#include "convert/ReferencePage.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "convert/HtmlText.h"

namespace velmora::convert {

namespace {

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

FlagCell ReadFlagCell(std::string_view text)
{
    std::string rest = Trimmed(text);
    FlagCell cell;
    // "DDSCAPS3_VIDEO (0x00000200L)", "D3DX_A = 0x10": the value is no flag name.
    const auto isNumber = [](std::string_view word) {
        return !word.empty() && std::isdigit(static_cast<unsigned char>(word.front()))
               && std::all_of(word.begin(), word.end(),
                              [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
    };
    const std::size_t open = rest.rfind('(');
    const std::size_t equals = rest.find('=');
    if (rest.ends_with(')') && open != std::string::npos && open > 0
        && isNumber(Trimmed(std::string_view(rest).substr(open + 1, rest.size() - open - 2)))) {
        cell.value = rest.substr(open);
        rest = Trimmed(rest.substr(0, open));
    } else if (equals != std::string::npos && equals > 0 && isNumber(Trimmed(rest.substr(equals + 1)))) {
        cell.value = "= " + Trimmed(rest.substr(equals + 1));
        rest = Trimmed(rest.substr(0, equals));
    }
    for (char& c : rest)
        if (c == ',' || c == '|' || c == '/')
            c = ' ';
    std::size_t at = 0;
    while (at < rest.size()) {
        while (at < rest.size() && rest[at] == ' ')
            ++at;
        std::size_t end = at;
        while (end < rest.size() && rest[end] != ' ')
            ++end;
        const std::string word = rest.substr(at, end - at);
        at = end;
        if (word.empty() || word == "or" || word == "and") continue;
        const bool flagWord = (std::isupper(static_cast<unsigned char>(word[0])) || word[0] == '_')
                              && std::all_of(word.begin(), word.end(), [](char c) {
                                     return std::isupper(static_cast<unsigned char>(c))
                                            || std::isdigit(static_cast<unsigned char>(c)) || c == '_';
                                 });
        if (!flagWord)
            return {};
        cell.names.push_back(word);
    }
    if (cell.names.empty())
        cell.value.clear();
    return cell;
}

int DateValue(const std::string& date)
{
    int month = 0, day = 0, year = 0;
    char slash1 = 0, slash2 = 0;
    std::istringstream in(date);
    if (!(in >> month >> slash1 >> day >> slash2 >> year) || slash1 != '/' || slash2 != '/')
        return 0;
    return year * 10000 + month * 100 + day;
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

namespace {

// "Type: UINT" opening a field, parameter or return section names the type, which
// the declaration gives: it is no description.
bool IsTypeLine(const std::string& paragraph)
{
    return paragraph.starts_with("Type: ");
}

// A first table row of captions ("Flag | Meaning", "Bits | ") is no text of its own.
bool IsCaptionRow(const std::vector<std::string>& row)
{
    return std::none_of(row.begin(), row.end(),
                        [](const std::string& cell) { return cell.find(' ') != std::string::npos; });
}

// A table under a field or parameter: rows whose first cell names flags are flags,
// the others (numbers, ranges, prose) stay text, one paragraph for the table.
void ReadEntryTable(const PageBlock& block, DocumentedEntry& entry)
{
    std::string text;
    for (std::size_t r = 0; r < block.rows.size(); ++r) {
        const std::vector<std::string>& row = block.rows[r];
        FlagCell cell = ReadFlagCell(row.empty() ? std::string() : row[0]);
        if (row.size() >= 2 && !cell.names.empty()) {
            entry.flags.push_back({row[0], std::move(cell.names), {row[1]}, std::move(cell.value)});
            continue;
        }
        if (r == 0 && IsCaptionRow(row))
            continue;
        std::string joined;
        for (const std::string& c : row)
            if (!c.empty())
                joined += (joined.empty() ? "" : " ") + c;
        if (!joined.empty())
            text += (text.empty() ? "" : "; ") + joined;
    }
    if (!text.empty())
        entry.paragraphs.push_back(text);
}

bool HasNoText(const DocumentedEntry& entry)
{
    return entry.paragraphs.empty() && entry.flags.empty() && entry.type.empty() && entry.codeBlocks == 0;
}

} // namespace

ReferencePage ReadReferencePage(const Page& page, const std::string& path)
{
    ReferencePage out;
    out.path = path;
    out.uid = page.Field("UID");
    out.title = page.Field("title");
    out.date = page.Field("ms.date");
    out.frontMatterNote = page.frontMatterNote;
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
            if (block.kind != PageBlock::Kind::Paragraph && block.kind != PageBlock::Kind::List)
                break;
            if (out.returns.empty() && out.returnType.empty() && IsTypeLine(block.text))
                out.returnType = block.text.substr(6);
            else
                out.returns.push_back(block.text);
            break;
        case Section::Remarks:
            // The remarks' tables hold code (a table of one cell around a <pre>).
            if (block.kind == PageBlock::Kind::Code || block.kind == PageBlock::Kind::Table)
                ++out.remarksCodeBlocks;
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
                FlagCell cell = ReadFlagCell(block.text);
                const bool dashed = block.text.starts_with("- ");
                const bool entryHeading = block.text.starts_with("-field") || dashed
                                          || block.text.starts_with("-param ")
                                          || (section == Section::Fields && cell.names.empty());
                if (!cell.names.empty() && entry && !dashed) {
                    entry->flags.push_back({block.text, std::move(cell.names), {}, std::move(cell.value)});
                    flag = &entry->flags.back();
                } else if (entryHeading && !EntryName(block.text).empty()) {
                    // "### -param ppDevice" with nothing under it but "#### - pDevice [out]":
                    // the deeper heading is a stray one inside the parameter.
                    if (section == Section::Parameters && entry && dashed && block.level > entry->level
                        && HasNoText(*entry)) {
                        entry->strayHeadings.push_back(block.text);
                        continue;
                    }
                    out.entries.push_back({block.text, EntryName(block.text), {}, 0, {}, {}, {}, block.level});
                    entry = &out.entries.back();
                    flag = nullptr;
                }
            } else if (!entry) {
                continue;
            } else if (block.kind == PageBlock::Kind::Table) {
                ReadEntryTable(block, *entry);
                flag = nullptr;
            } else if (block.kind == PageBlock::Kind::Code) {
                ++entry->codeBlocks;
            } else if (flag) {
                flag->paragraphs.push_back(block.text);
            } else if (entry->paragraphs.empty() && entry->type.empty() && IsTypeLine(block.text)) {
                entry->type = block.text.substr(6);
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
