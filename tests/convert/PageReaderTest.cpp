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
    EXPECT_THROW(ReadPage("---\nUID: [unclosed\n---\n"), PageError);
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
    EXPECT_EQ(FlagNames("DDPCAPS_1BIT, DDPCAPS_2BIT or DDPCAPS_4BIT"),
              (std::vector<std::string>{"DDPCAPS_1BIT", "DDPCAPS_2BIT", "DDPCAPS_4BIT"}));
    EXPECT_TRUE(FlagNames("dwRGBBitCount").empty());
    EXPECT_TRUE(FlagNames("- DUMMYUNIONNAMEN(1)").empty());
}

struct OrderCase {
    const char* name;
    std::vector<DeclaredParameter> declared;
    std::vector<std::string> documented;
    std::vector<std::string> expected;   // empty: no order
};

void PrintTo(const OrderCase& c, std::ostream* os) { *os << c.name; }

class ParameterOrdering : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ParameterOrdering, FollowsTheHeader)
{
    const OrderCase& c = GetParam();
    std::vector<std::string> notes;
    std::string why;
    const auto order = OrderParameters(c.declared, c.documented, notes, why);
    if (c.expected.empty()) {
        EXPECT_FALSE(order.has_value());
        EXPECT_FALSE(why.empty());
    } else {
        ASSERT_TRUE(order.has_value()) << why;
        EXPECT_EQ(*order, c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParameterOrdering,
    ::testing::Values(
        OrderCase{"NamesInTheHeader", {{"DWORD", "", "dwFlags"}, {"LPRECT", "", "lpRect"}}, {"lpRect", "dwFlags"},
                  {"dwFlags", "lpRect"}},
        OrderCase{"OneNameDiffers", {{"DWORD", "", "prio"}}, {"dwPriority"}, {"dwPriority"}},
        OrderCase{"TypesOnlyUniquePairing", {{"HANDLE", "", ""}, {"DWORD", "", ""}, {"LPRECT", "", ""}},
                  {"dwFlags", "hEvent", "lpRect"}, {"hEvent", "dwFlags", "lpRect"}},
        OrderCase{"TypesOnlyNamesNameTheTypes",
                  {{"LPRECT", "", ""}, {"LPDDSURFACEDESC2", "", ""}, {"DWORD", "", ""}, {"HANDLE", "", ""}},
                  {"dwFlags", "hEvent", "lpDDSurfaceDesc", "lpDestRect"},
                  {"lpDestRect", "lpDDSurfaceDesc", "dwFlags", "hEvent"}},
        OrderCase{"TypesOnlyAmbiguous", {{"LPRECT", "", ""}, {"LPRECT", "", ""}}, {"lpDestRect", "lpSrcRect"}, {}},
        OrderCase{"CountsDiffer", {{"DWORD", "", "dwFlags"}}, {"dwFlags", "lpRect"}, {}},
        OrderCase{"NothingFits", {{"DWORD", "", ""}}, {"lpRect"}, {}}));

} // namespace
} // namespace velmora::convert
