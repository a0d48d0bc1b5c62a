#include "convert/Converter.h"

#include <map>
#include <set>

#include "convert/ConvertedItem.h"
#include "convert/HeaderReader.h"
#include "convert/ImportCheck.h"
#include "convert/InterfaceConverter.h"
#include "convert/ReferencePage.h"
#include "convert/StructureConverter.h"

namespace velmora::convert {

namespace {

struct ReadPages {
    std::vector<ReferencePage> structures, interfaces, methods;
};

ItemKind KindOf(PageKind kind)
{
    return kind == PageKind::Structure   ? ItemKind::Structure
           : kind == PageKind::Interface ? ItemKind::Interface
                                         : ItemKind::Method;
}

std::string FileName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

// Of two pages for one item, the later ms.date wins; on a tie the file whose
// name has no underscore before the item's name (the repository's newer naming).
bool Preferred(const ReferencePage& a, const ReferencePage& b)
{
    if (DateValue(a.date) != DateValue(b.date))
        return DateValue(a.date) > DateValue(b.date);
    const std::string nameA = FileName(a.path), nameB = FileName(b.path);
    const bool underscoreA = nameA.find("-_") != std::string::npos, underscoreB = nameB.find("-_") != std::string::npos;
    return underscoreA != underscoreB ? !underscoreA : nameA < nameB;
}

ReadPages ReadAll(const std::vector<PageText>& pages, Conversion& result)
{
    std::vector<ReferencePage> read;
    std::map<std::string, std::size_t> byUid;
    for (const PageText& text : pages) {
        ReferencePage page;
        try {
            page = ReadReferencePage(ReadPage(text.text), text.path);
        } catch (const PageError& error) {
            result.log.LostLine(text.path, std::string("the page is not read: ") + error.what());
            result.log.Count(ItemKind::Page, Outcome::Lost);
            continue;
        }
        if (page.kind == PageKind::Other) {
            result.log.LostLine(text.path, "not a structure, interface or method page (UID '" + page.uid + "')");
            result.log.Count(ItemKind::Page, Outcome::Lost);
            continue;
        }
        if (!page.frontMatterNote.empty())
            result.log.Adapted(KindOf(page.kind), text.path, page.frontMatterNote);
        const auto [at, fresh] = byUid.emplace(page.uid, read.size());
        if (fresh) {
            read.push_back(std::move(page));
            continue;
        }
        ReferencePage& kept = read[at->second];
        if (Preferred(page, kept))
            std::swap(page, kept);
        result.log.Adapted(KindOf(kept.kind), kept.ItemName(),
                           "given twice: kept " + FileName(kept.path) + " (ms.date " + kept.date + "), left "
                               + FileName(page.path) + " (ms.date " + page.date + ")");
    }
    ReadPages sorted;
    for (ReferencePage& page : read) {
        switch (page.kind) {
        case PageKind::Structure: sorted.structures.push_back(std::move(page)); break;
        case PageKind::Interface: sorted.interfaces.push_back(std::move(page)); break;
        default: sorted.methods.push_back(std::move(page)); break;
        }
    }
    return sorted;
}

// The item's definition, checked on its own by the import before it joins the file.
void Verify(ConvertedItem& item, const char* type)
{
    std::vector<std::string> rows{type, item.name};
    rows.insert(rows.end(), item.rows.begin(), item.rows.end());
    const ImportCheck check = CheckWithImport(rows);
    if (!check.succeeded) {
        item.Lose("the import does not accept the converted rows: " + check.error);
    } else if (check.members != static_cast<std::size_t>(item.members)
               || check.flags != static_cast<std::size_t>(item.flags)) {
        item.Lose("the import read " + std::to_string(check.members) + " members/parameters and "
                  + std::to_string(check.flags) + " flags where " + std::to_string(item.members) + " and "
                  + std::to_string(item.flags) + " were written");
    }
}

void Assemble(std::vector<ConvertedItem>& items, const char* type, Conversion& result)
{
    std::vector<const ConvertedItem*> kept;
    std::set<std::string> names;
    for (ConvertedItem& item : items) {
        if (!item.lost && names.count(item.name))
            item.Lose("a second page for the same declaration; the first is converted");
        if (!item.lost)
            Verify(item, type);
        result.log.Append(item.log);
        if (item.lost)
            continue;
        names.insert(item.name);
        kept.push_back(&item);
    }
    if (kept.empty()) return;
    result.rows.push_back(type);
    for (const ConvertedItem* item : kept) result.rows.push_back(item->name);
    for (const ConvertedItem* item : kept) {
        result.rows.insert(result.rows.end(), item->rows.begin(), item->rows.end());
        ++result.written;
    }
}

} // namespace

int Conversion::ExitCode() const
{
    if (written == 0) return 2;
    return log.AnythingLost() ? 1 : 0;
}

std::vector<std::string> Conversion::Summary() const
{
    std::vector<std::string> lines = log.Summary();
    switch (ExitCode()) {
    case 0: lines.push_back("summary: nothing lost"); break;
    case 1: lines.push_back("summary: something was lost: see the 'lost:' lines"); break;
    default: lines.push_back("summary: nothing written: " + failure); break;
    }
    return lines;
}

Conversion Convert(const std::vector<std::string>& headerTexts, const std::vector<PageText>& pages)
{
    Conversion result;
    ReadPages read = ReadAll(pages, result);
    const bool structures = !read.structures.empty();
    const bool interfaces = !read.interfaces.empty() || !read.methods.empty();
    if (structures && interfaces) {
        result.failure = "structure pages and interface or method pages cannot go into one file";
        return result;
    }
    if (!structures && !interfaces) {
        result.failure = "no structure, interface or method page to convert";
        return result;
    }
    const HeaderDeclarations header = ReadHeaders(headerTexts);
    std::vector<ConvertedItem> items;
    if (structures) {
        for (const ReferencePage& page : read.structures) items.push_back(ConvertStructure(page, header));
        Assemble(items, "Structures", result);
    } else {
        items = ConvertInterfaces(read.interfaces, read.methods, header);
        Assemble(items, "Interfaces", result);
    }
    if (!result.rows.empty()) {
        const ImportCheck whole = CheckWithImport(result.rows);
        if (!whole.succeeded) {
            result.failure = "the import does not accept the assembled file: " + whole.error;
            result.rows.clear();
            result.written = 0;
        }
    }
    if (result.rows.empty() && result.failure.empty())
        result.failure = "every page was left out";
    return result;
}

} // namespace velmora::convert
