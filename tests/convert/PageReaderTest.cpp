// The page reader: front matter and body blocks, HTML reduced to plain text.
#include <gtest/gtest.h>

#include "convert/HtmlText.h"
#include "convert/PageReader.h"
#include "convert/ParameterOrder.h"
#include "convert/ReferencePage.h"

namespace velmora::convert {
namespace {

TEST(PageReader, FrontMatterWithPointerNamesListsAndQuotes)
{
    const Page page = ReadPage(
        "---\nUID: NS:ddraw._DDX\nreq.typenames: *LPDDX, DDX\nms.keywords: '*LPDDX, DDX'\n"
        "api_name:\n - DDX\n - LPDDX\n---\n\n## -description\n\nText.\n");
    EXPECT_EQ(page.Field("UID"), "NS:ddraw._DDX");
    EXPECT_EQ(page.Field("req.typenames"), "*LPDDX, DDX");
    EXPECT_EQ(page.Field("ms.keywords"), "*LPDDX, DDX");
    EXPECT_EQ(page.Field("api_name"), "DDX, LPDDX");
}

TEST(PageReader, APageWithoutFrontMatterIsRejected)
{
    EXPECT_THROW(ReadPage("# DDX\n\nText.\n"), PageError);
}

TEST(PageReader, BlocksInPageOrderAsPlainText)
{
    const Page page = ReadPage(
        "---\nUID: x\n---\n## -description\n\nThe <b>DDX</b> &amp; [DDY](ns-ddy.md) **structure**\nspans rows.\n\n"
        "```cpp\nint a;\n```\n\n| Flag | Meaning |\n|---|---|\n| DDX_A | First. |\n\n<ul>\n<li>E_FAIL</li>\n</ul>\n");
    ASSERT_EQ(page.blocks.size(), 5u);
    EXPECT_EQ(page.blocks[0].kind, PageBlock::Kind::Heading);
    EXPECT_EQ(page.blocks[0].text, "-description");
    EXPECT_EQ(page.blocks[1].text, "The DDX & DDY structure spans rows.");
    EXPECT_EQ(page.blocks[2].kind, PageBlock::Kind::Code);
    EXPECT_EQ(page.blocks[3].kind, PageBlock::Kind::Table);
    EXPECT_EQ(page.blocks[3].rows.back(), (std::vector<std::string>{"DDX_A", "First."}));
    EXPECT_EQ(page.blocks[4].kind, PageBlock::Kind::List);
}

TEST(HtmlText, EntitiesTagsAndTables)
{
    EXPECT_EQ(PlainText("a&nbsp;<i>b</i>&#233;&#x2014;<br/>c &unknown; d"), "a b\xC3\xA9\xE2\x80\x94 c &unknown; d");
    EXPECT_EQ(HtmlTableRows("<table><tr><th>Flag</th></tr><tr><td><p>DDX_A</p></td><TD>On <b>x</b>.</TD></tr></table>"),
              (std::vector<std::vector<std::string>>{{"Flag"}, {"DDX_A", "On x."}}));
}

TEST(ReferencePage, EntryNamesAndFlagHeadings)
{
    EXPECT_EQ(EntryName("-field DUMMYUNIONNAMEN.lPitch"), "lPitch");
    EXPECT_EQ(EntryName("-field DUMMYUNIONNAMEN3.Caps.wFlip"), "Caps.wFlip");
    EXPECT_EQ(EntryName("- lpRampData [in, out]"), "lpRampData");
    EXPECT_EQ(ReadFlagCell("DDPCAPS_1BIT, DDPCAPS_2BIT or DDPCAPS_4BIT").names,
              (std::vector<std::string>{"DDPCAPS_1BIT", "DDPCAPS_2BIT", "DDPCAPS_4BIT"}));
    EXPECT_TRUE(ReadFlagCell("dwRGBBitCount").names.empty());
    EXPECT_TRUE(ReadFlagCell("- DUMMYUNIONNAMEN(1)").names.empty());
}

struct PairCase {
    const char* name;
    std::vector<DeclaredParameter> declared;
    std::vector<PageParameter> documented;
    std::vector<std::string> expected; // names written in prototype order; empty: no certain pairing
};

void PrintTo(const PairCase& c, std::ostream* os)
{
    *os << c.name;
}

class ParameterPairings : public ::testing::TestWithParam<PairCase> {};

TEST_P(ParameterPairings, FollowTheHeaderOrRefuse)
{
    const PairCase& c = GetParam();
    std::string why;
    const auto pairing = PairParameters(c.declared, c.documented, why);
    if (c.expected.empty()) {
        EXPECT_FALSE(pairing.has_value());
        EXPECT_FALSE(why.empty());
        return;
    }
    ASSERT_TRUE(pairing.has_value()) << why;
    EXPECT_EQ(pairing->names, c.expected);
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        const std::string& documented = c.documented[pairing->pageIndex[i]].name;
        EXPECT_TRUE(documented == c.expected[i] || documented.starts_with("arg")) << documented;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParameterPairings,
    ::testing::Values(
        PairCase{"NamesInTheHeader",
                 {{"DWORD", "", "dwFlags"}, {"LPRECT", "", "lpRect"}},
                 {{"lpRect", ""}, {"dwFlags", ""}},
                 {"dwFlags", "lpRect"}},
        PairCase{"OneNameDiffersTheOnlyOneLeft", {{"DWORD", "", "prio"}}, {{"dwPriority", ""}}, {"dwPriority"}},
        PairCase{"PositionsAndThePagesTypes",
                 {{"UINT", "", "a"}, {"UINT", "", "b"}},
                 {{"OffsetToLock", "UINT"}, {"SizeToLock", "UINT"}},
                 {"OffsetToLock", "SizeToLock"}},
        PairCase{"TypesOnlyUniquePairing",
                 {{"HANDLE", "", ""}, {"DWORD", "", ""}, {"LPRECT", "", ""}},
                 {{"dwFlags", ""}, {"hEvent", ""}, {"lpRect", ""}},
                 {"hEvent", "dwFlags", "lpRect"}},
        PairCase{"TypesOnlyNamesNameTheTypes",
                 {{"LPRECT", "", ""}, {"LPDDSURFACEDESC2", "", ""}, {"DWORD", "", ""}, {"HANDLE", "", ""}},
                 {{"dwFlags", ""}, {"hEvent", ""}, {"lpDDSurfaceDesc", ""}, {"lpDestRect", ""}},
                 {"lpDestRect", "lpDDSurfaceDesc", "dwFlags", "hEvent"}},
        PairCase{"TypesOnlyAmbiguous",
                 {{"LPRECT", "", ""}, {"LPRECT", "", ""}},
                 {{"lpDestRect", ""}, {"lpSrcRect", ""}},
                 {}},
        // Two pointers whose names differ from the header's and no page types: a swap
        // would fit the prefixes as well as the truth does.
        PairCase{"NamesDifferAndNothingSettlesIt",
                 {{"D3DLOCKED_RECT", "*", "a"}, {"RECT", "*", "b"}},
                 {{"pLockedRect", ""}, {"pRect", ""}},
                 {}},
        PairCase{"PageTypesContradictThePositions",
                 {{"UINT", "", "a"}, {"DWORD", "", "b"}},
                 {{"Flags", "DWORD"}, {"Size", "UINT"}},
                 {}},
        PairCase{"CountsDiffer", {{"DWORD", "", "dwFlags"}}, {{"dwFlags", ""}, {"lpRect", ""}}, {}},
        PairCase{"NothingFits", {{"DWORD", "", ""}}, {{"lpRect", ""}}, {}}));

} // namespace
} // namespace velmora::convert
