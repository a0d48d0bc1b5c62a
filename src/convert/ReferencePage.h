#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/PageReader.h"

namespace velmora::convert {

enum class PageKind { Structure, Interface, Method, Other };

// A flag as the page documents it: one heading or table row, which may name
// several flags ("DDSCAPS_A, DDSCAPS_B").
struct DocumentedFlag {
    std::string written;               // the heading or first cell as the page has it
    std::vector<std::string> names;
    std::vector<std::string> paragraphs;
    std::string value; // "(0x00000100L)", "= 0x10" where the cell gives the flag's value
};

// The flag names of a heading or cell and the value written beside them.
struct FlagCell {
    std::vector<std::string> names;
    std::string value;
};

// A structure member ("### -field dwSize") or a method parameter ("#### - dwFlags [in]").
struct DocumentedEntry {
    std::string heading;               // as the page has it, "DUMMYUNIONNAMEN.lPitch", "- dwFlags [in]"
    std::string name;                  // "lPitch", "dwFlags"
    std::vector<std::string> paragraphs; // tables that name no flag among them, as text
    int codeBlocks = 0;
    std::vector<DocumentedFlag> flags;
    std::string type; // "UINT" from an opening "Type: UINT" paragraph
    std::vector<std::string> strayHeadings; // deeper headings whose text is this entry's
    int level = 0; // of its heading
};

struct ReferencePage {
    PageKind kind = PageKind::Other;
    std::string path; // the file it was read from
    std::string date; // front matter ms.date, "12/5/2018"
    std::string frontMatterNote; // see Page
    std::string uid;                   // "NS:ddraw._DDCOLORKEY", "NF:ddraw.IDirectDrawSurface7.Blt"
    std::string title;
    std::vector<std::string> description;   // paragraphs
    int descriptionCodeBlocks = 0;
    std::vector<DocumentedEntry> entries;
    std::vector<std::string> returns;       // paragraphs
    std::string returnType; // from an opening "Type:" paragraph of the returns
    std::vector<std::string> remarks;       // paragraphs
    int remarksCodeBlocks = 0;
    std::vector<std::string> requirements;  // "Header: ddraw.h", ... in a fixed order
    std::vector<std::string> methods;       // interface pages: the method names their table lists
    std::vector<std::string> syntaxParameters;   // method pages: names in the "-syntax" block, in order

    // "_DDCOLORKEY" for a structure, "IDirectDrawSurface7" for an interface or a method's interface.
    std::string ItemName() const;
    // A method page's method name: "Blt".
    std::string MethodName() const;
};

// The words of a flag heading or cell when every one is a flag name
// ("DDSCAPS_A, DDSCAPS_B or DDSCAPS_C"), and a value written after them
// ("DDSCAPS3_VIDEO (0x00000200L)", "D3DX_A = 0x10"); no names otherwise. A
// flag name starts with a capital or an underscore: numbers and ranges
// ("31-16", "0") are no flags.
FlagCell ReadFlagCell(std::string_view text);

// A field or parameter heading without its marks: "-field DUMMYUNIONNAMEN.lPitch" gives
// "lPitch", "- dwFlags [in]" gives "dwFlags".
std::string EntryName(std::string_view heading);

// The parameter names of a rendered prototype, in order, with SAL annotations
// ("[in]", "_In_opt_") removed: "HRESULT Blt([in] LPRECT lpDestRect, ...)" gives lpDestRect, ...
std::vector<std::string> SyntaxParameterNames(std::string_view syntax);

// "12/5/2018" as 20181205, so that later dates compare greater; 0 when it is no date.
int DateValue(const std::string& date);

ReferencePage ReadReferencePage(const Page& page, const std::string& path);

} // namespace velmora::convert
