#include "convert/Converter.h"

#include <set>

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

ReadPages ReadAll(const std::vector<PageText>& pages, Conversion& result)
{
    ReadPages read;
    for (const PageText& text : pages) {
        ReferencePage page;
        try {
            page = ReadReferencePage(ReadPage(text.text));
        } catch (const PageError& error) {
            result.log.push_back(text.path + ": skipped: " + error.what());
            ++result.skipped;
            continue;
        }
        switch (page.kind) {
        case PageKind::Structure: read.structures.push_back(std::move(page)); break;
        case PageKind::Interface: read.interfaces.push_back(std::move(page)); break;
        case PageKind::Method: read.methods.push_back(std::move(page)); break;
        case PageKind::Other:
            result.log.push_back(text.path + ": skipped: not a structure, interface or method page (UID '" + page.uid + "')");
            ++result.skipped;
            break;
        }
    }
    return read;
}

// The item's definition, checked on its own by the import before it joins the file.
bool Verified(ConvertedItem& item, const char* type)
{
    std::vector<std::string> rows{type, item.name};
    rows.insert(rows.end(), item.rows.begin(), item.rows.end());
    const ImportCheck check = CheckWithImport(rows);
    if (!check.succeeded) {
        item.Skip("the import does not accept the converted rows: " + check.error);
        return false;
    }
    if (check.members != static_cast<std::size_t>(item.members) || check.flags != static_cast<std::size_t>(item.flags)) {
        item.Skip("the import read " + std::to_string(check.members) + " members/parameters and " +
                  std::to_string(check.flags) + " flags where " + std::to_string(item.members) + " and " +
                  std::to_string(item.flags) + " were written");
        return false;
    }
    return true;
}

void Assemble(std::vector<ConvertedItem>& items, const char* type, Conversion& result)
{
    std::vector<const ConvertedItem*> kept;
    std::set<std::string> names;
    for (ConvertedItem& item : items) {
        if (item.skipped.empty() && names.count(item.name)) item.Skip("given twice; the first page is converted");
        if (item.skipped.empty()) Verified(item, type);
        result.log.insert(result.log.end(), item.log.begin(), item.log.end());
        if (!item.skipped.empty()) {
            ++result.skipped;
            continue;
        }
        names.insert(item.name);
        kept.push_back(&item);
        result.skipped += item.skippedParts;
    }
    if (kept.empty()) return;
    result.rows.push_back(type);
    for (const ConvertedItem* item : kept) result.rows.push_back(item->name);
    for (const ConvertedItem* item : kept) {
        result.rows.insert(result.rows.end(), item->rows.begin(), item->rows.end());
        ++result.written;
        result.members += item->members;
        result.flags += item->flags;
        result.methods += item->methods;
    }
}

} // namespace

int Conversion::ExitCode() const
{
    if (written == 0) return 2;
    return skipped > 0 ? 1 : 0;
}

Conversion Convert(const std::string& headerText, const std::vector<PageText>& pages)
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
    const HeaderDeclarations header = ReadHeader(headerText);
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
    if (result.rows.empty() && result.failure.empty()) result.failure = "every page was skipped";
    return result;
}

} // namespace velmora::convert
