// The patterns of the published pages, one fragment each: the rows written and
// the log line that accounts for them. Each fragment lists what it documents,
// so that the log's counts can be held against it: every documented item is
// either written or lost.
#include <gtest/gtest.h>

#include <map>

#include "convert/ConvertTestSupport.h"
#include "convert/Converter.h"

namespace velmora::convert {
namespace {

using testing::AnyLineContains;
using testing::ContainsRun;
using testing::Joined;
using testing::ReferencePageText;

using Counts = std::map<ItemKind, int>;

struct PatternCase {
    const char* name;
    std::string header;
    std::vector<PageText> pages;
    std::vector<std::string> rows; // one unbroken run of the output
    std::string log; // some log line contains it
    Counts documented; // written + lost, per kind
    Counts notInHeader = {};
    int exitCode = 0;
};

void PrintTo(const PatternCase& c, std::ostream* os)
{
    *os << c.name;
}

constexpr const char* kStructHeader = "typedef struct _DDX {\n    DWORD dwSize;\n    DWORD dwFlags;\n} DDX, *LPDDX;\n";

std::vector<PageText> StructurePage(const std::string& fields, const std::string& uid = "NS:ddraw._DDX")
{
    return {{"ns-ddraw-ddx.md",
             ReferencePageText(uid, "## -description\n\nThe structure.\n\n## -struct-fields\n\n" + fields)}};
}

std::string InterfaceHeader(const std::string& methods)
{
    return "typedef struct IDirect3DDevice9 *LPDIRECT3DDEVICE9;\nDECLARE_INTERFACE_(IDirect3DX9,IUnknown)\n{\n"
           "    STDMETHOD_(HRESULT,QueryInterface)(THIS_ REFIID riid, void** ppvObject) PURE;\n"
           "    STDMETHOD_(ULONG,AddRef)(THIS) PURE;\n    STDMETHOD_(ULONG,Release)(THIS) PURE;\n"
           "    STDMETHOD(IsLost)(THIS) PURE;\n"
           + methods + "};\n";
}

// The interface page, the page of `method` with its parameters section, and IsLost's page.
std::vector<PageText> InterfacePages(const std::string& method, const std::string& parameters)
{
    const std::string returns = "## -returns\n\nD3D_OK on success.\n";
    return {
        {"nn.md", ReferencePageText("NN:d3d9.IDirect3DX9", "## -description\n\nThe interface.\n")},
        {"nf.md", ReferencePageText("NF:d3d9.IDirect3DX9." + method,
                                    "## -description\n\nDoes it.\n\n## -parameters\n\n" + parameters + returns)},
        {"nf-islost.md", ReferencePageText("NF:d3d9.IDirect3DX9.IsLost", "## -description\n\nTells.\n\n" + returns)}};
}

// Interface, both methods, their descriptions and return values, besides `parameters`.
Counts InterfaceCounts(int parameters)
{
    return {{ItemKind::Interface, 1},
            {ItemKind::Method, 2},
            {ItemKind::Parameter, parameters},
            {ItemKind::Description, 3 + parameters},
            {ItemKind::ReturnValue, 2}};
}

const Counts kStructCounts{{ItemKind::Structure, 1}, {ItemKind::Member, 2}, {ItemKind::Description, 3}};

Counts With(Counts counts, ItemKind kind, int n)
{
    counts[kind] = n;
    return counts;
}

const std::vector<PatternCase>& Patterns()
{
    static const std::vector<PatternCase> cases{
        {"FrontMatterThatIsNotYaml",
         kStructHeader,
         {{"ns-ddraw-ddx.md",
           "---\nUID: NS:ddraw._DDX\ntitle: DDX\ndescription: The DDX structure.helpviewer_keywords: [\"DDX\"]\n"
           "req.header: ddraw.h\n---\n\n## -description\n\nThe DDX structure.\n\n## -struct-fields\n\n"
           "### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nFlags.\n"}},
         {"DDX", "The DDX structure.", "typedef struct _DDX {"},
         "adapted: ns-ddraw-ddx.md: the front matter is not YAML (line 4: illegal map value); read key by key",
         kStructCounts},
        {"FlagCellWithItsValue",
         kStructHeader,
         StructurePage("### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nFlags.\n\n| Flag | Meaning |\n|---|---|\n"
                       "| DDX_VIDEO (0x00000200L) | Video data. |\n| DDX_FAST = 0x10 | Fast. |\n"),
         {"dwFlags", "Flags.", "DDX_VIDEO (0x00000200L) Video data.", "DDX_FAST = 0x10 Fast.", "QuickInfo"},
         "",
         With(kStructCounts, ItemKind::Flag, 2)},
        {"TypeLineOpensTheField",
         kStructHeader,
         StructurePage("### -field dwSize\n\nType: <b>DWORD</b>\n\nSize of the structure.\n\n"
                       "### -field dwFlags\n\nType: <b>DWORD</b>\n\nFlags.\n"),
         {"dwSize", "Size of the structure.", "dwFlags", "Flags."},
         "page had '2 'Type:' row(s)'",
         kStructCounts},
        {"TableOfNumbersStaysText",
         kStructHeader,
         StructurePage(
             "### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nThe date bits.\n\n<table>\n<tr><td>Bits</td>"
             "<td></td></tr>\n<tr><td>31-16</td><td>The year.</td></tr>\n<tr><td>0</td><td>Not certified."
             "</td></tr>\n</table>\n"),
         {"dwFlags", "The date bits.", "QuickInfo"},
         "page had '31-16 The year.; 0 Not certified.' after the first paragraph of the dwFlags description",
         kStructCounts},
        {"MembersThatReadAsFlags",
         "typedef struct _DDX {\n  DWORD X;\n  DWORD Y;\n  DWORD Width;\n} DDX;\n",
         StructurePage("### -field X\n\nLeft edge.\n\n### -field Y\n\nTop edge.\n\n### -field Width\n\nWidth.\n"),
         {"Members", "X and Y", "X: Left edge. Y: Top edge.", "Width", "Width."},
         "wrote 'X and Y'",
         {{ItemKind::Structure, 1}, {ItemKind::Member, 3}, {ItemKind::Description, 4}}},
        {"FlagsBeforeAMemberThatReadsAsAFlagAreLost",
         "typedef struct _DDX {\n  DWORD dwFlags;\n  DWORD Z;\n} DDX;\n",
         StructurePage("### -field dwFlags\n\nFlags.\n\n#### DDX_A\n\nA.\n\n### -field Z\n\nDepth.\n"),
         {"Members", "dwFlags and Z", "dwFlags: Flags. Z: Depth.", "QuickInfo"},
         "lost: DDX: 1 flag(s) of dwFlags: the layout reads no flags after a pair or list row ('dwFlags and Z')",
         With(kStructCounts, ItemKind::Flag, 1),
         {},
         1},
        {"FlagsDocumentedAgainUnderTheirOwnHeadings",
         kStructHeader,
         StructurePage("### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nFlags.\n\n#### DDX_A\n\nA.\n\n"
                       "##### - dwFlags.DDX_A\n\nA again.\n\n##### - dwFlags.DDX_B\n\nB.\n"),
         {"dwFlags", "Flags.", "DDX_A A.", "DDX_B B.", "QuickInfo"},
         "page had 1 flag(s) of dwFlags a second time, under '- dwFlags.FLAG' headings",
         With(kStructCounts, ItemKind::Flag, 2)},
        {"MemberTheHeaderLacks",
         kStructHeader,
         StructurePage("### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nFlags.\n\n### -field dwExtra\n\nMore.\n"),
         {"dwFlags", "Flags.", "QuickInfo"},
         "not in the header: DDX: member(s) dwExtra: the page documents them, the header does not declare them",
         kStructCounts,
         {{ItemKind::Member, 1}, {ItemKind::Description, 1}}},
        {"TwoPagesForOneItemTheLaterIsKept",
         kStructHeader,
         {{"ns-ddraw-ddx.md",
           ReferencePageText("NS:ddraw._DDX",
                             "## -description\n\nNew.\n\n## -struct-fields\n\n### -field dwSize\n\nS.\n\n"
                             "### -field dwFlags\n\nF.\n",
                             "ms.date: 12/5/2018\nreq.header: ddraw.h\n")},
          {"ns-ddraw-_ddx.md",
           ReferencePageText("NS:ddraw._DDX",
                             "## -description\n\nOld.\n\n## -struct-fields\n\n### -field dwSize\n\nS.\n\n"
                             "### -field dwFlags\n\nF.\n",
                             "ms.date: 07/23/2018\nreq.header: ddraw.h\n")}},
         {"DDX", "New."},
         "given twice: kept ns-ddraw-ddx.md (ms.date 12/5/2018), left ns-ddraw-_ddx.md (ms.date 07/23/2018)",
         kStructCounts},
        {"ParametersNumberedOnThePage",
         InterfaceHeader("    STDMETHOD(Initialize)(THIS_ LPDIRECTDRAW lpDD, DWORD dwFlags) PURE;\n"),
         InterfacePages("Initialize", "### -param arg1 [in]\n\nThe object.\n\n### -param arg2 [in]\n\nNot used.\n\n"),
         {"HRESULT Initialize(", "LPDIRECTDRAW lpDD,", "DWORD dwFlags", ");", "Parameters", "lpDD", "The object.",
          "dwFlags", "Not used."},
         "parameter 1 (LPDIRECTDRAW lpDD) is the page's arg1: the page numbers its parameters",
         InterfaceCounts(2)},
        {"StrayHeadingInsideAParameter",
         InterfaceHeader("    STDMETHOD(GetDevice)(THIS_ LPDIRECT3DDEVICE9 ppDevice) PURE;\n"),
         InterfacePages("GetDevice", "### -param ppDevice\n\n#### - pDevice [out]\n\nThe device.\n\n"),
         {"Parameters", "ppDevice", "The device.", "Return Values"},
         "page had '- pDevice [out]'; wrote 'ppDevice': a heading inside parameter ppDevice",
         InterfaceCounts(1)},
        {"PointerToAPointerOfAStructure",
         InterfaceHeader("    STDMETHOD(GetDevice)(THIS_ struct IDirect3DDevice9 **ppDevice) PURE;\n"),
         InterfacePages("GetDevice", "### -param ppDevice [out]\n\nType: <b>IDirect3DDevice9**</b>\n\nThe device.\n\n"),
         {"HRESULT GetDevice(", "LPDIRECT3DDEVICE9 *ppDevice", ");", "Parameters", "ppDevice", "The device."},
         "header had 'struct IDirect3DDevice9 **ppDevice'; wrote 'LPDIRECT3DDEVICE9 *ppDevice'",
         InterfaceCounts(1)},
        {"NamesThatDifferInPrefixAndCase",
         InterfaceHeader(
             "    STDMETHOD(LockRect)(THIS_ D3DLOCKED_RECT *locked_rect, const RECT *rect, DWORD flags) PURE;\n"),
         InterfacePages("LockRect", "### -param pLockedRect [out]\n\nType: <b>D3DLOCKED_RECT*</b>\n\nThe region.\n\n"
                                    "### -param pRect [in]\n\nType: <b>const RECT*</b>\n\nThe rectangle.\n\n"
                                    "### -param Flags [in]\n\nType: <b>DWORD</b>\n\nHow.\n\n"),
         {"HRESULT LockRect(", "D3DLOCKED_RECT *pLockedRect,", "RECT *pRect,", "DWORD Flags", ");", "Parameters",
          "pLockedRect", "The region.", "pRect", "The rectangle.", "Flags", "How."},
         "parameter 1 (D3DLOCKED_RECT * locked_rect) is the page's pLockedRect: the names differ only in prefix and "
         "case",
         InterfaceCounts(3)},
        {"PairingThatIsNotCertainLosesTheMethod",
         InterfaceHeader("    STDMETHOD(Blt)(THIS_ LPRECT a, LPRECT b) PURE;\n"),
         InterfacePages("Blt", "### -param lpDestRect [in]\n\nTo.\n\n### -param lpSrcRect [in]\n\nFrom.\n\n"),
         {"AddRef", "IsLost", "QueryInterface", "Release", "IDirect3DX9::IsLost"},
         "lost: IDirect3DX9: method Blt: no certain pairing of the page's lpDestRect, lpSrcRect",
         InterfaceCounts(2),
         {},
         1},
    };
    return cases;
}

class PagePatterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(PagePatterns, RowsAndLogLine)
{
    const PatternCase& c = GetParam();
    const Conversion result = Convert({c.header}, c.pages);
    EXPECT_EQ(result.ExitCode(), c.exitCode) << Joined(result.log.Lines()) << result.failure;
    EXPECT_TRUE(ContainsRun(result.rows, c.rows)) << Joined(result.rows);
    if (!c.log.empty()) {
        EXPECT_TRUE(AnyLineContains(result.log.Lines(), c.log)) << Joined(result.log.Lines());
    }
}

TEST_P(PagePatterns, EveryDocumentedItemIsWrittenOrLost)
{
    const PatternCase& c = GetParam();
    const Conversion result = Convert({c.header}, c.pages);
    for (const auto& [kind, documented] : c.documented)
        EXPECT_EQ(result.log.CountOf(kind, Outcome::Written) + result.log.CountOf(kind, Outcome::Lost), documented)
            << "kind " << static_cast<int>(kind) << "\n"
            << Joined(result.log.Summary());
    for (const auto& [kind, lacking] : c.notInHeader)
        EXPECT_EQ(result.log.CountOf(kind, Outcome::NotInHeader), lacking) << "kind " << static_cast<int>(kind);
}

INSTANTIATE_TEST_SUITE_P(Table, PagePatterns, ::testing::ValuesIn(Patterns()),
                         [](const ::testing::TestParamInfo<PatternCase>& info) { return info.param.name; });

} // namespace
} // namespace velmora::convert
