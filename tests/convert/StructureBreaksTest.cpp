// Every way the published structure pages and the SDK header break the import
// layout: page fragment in, rows out, the log line that accounts for the change.
#include <gtest/gtest.h>

#include "convert/ConvertTestSupport.h"
#include "convert/Converter.h"

namespace velmora::convert {
namespace {

using testing::AnyLineContains;
using testing::ContainsRun;
using testing::Joined;
using testing::ReferencePageText;

struct BreakCase {
    const char* name;
    const char* header;
    const char* body;
    std::vector<std::string> rows;   // must appear as one run in the output
    const char* log;                 // some log line contains it
    const char* requirements = nullptr;
};

void PrintTo(const BreakCase& c, std::ostream* os) { *os << c.name; }

constexpr const char* kPlainHeader = "typedef struct _DDX {\n    DWORD dwSize;\n    DWORD dwFlags;\n} DDX, *LPDDX;\n";
constexpr const char* kPlainFields =
    "## -description\n\nThe <b>DDX</b> structure describes x.\n\n## -struct-fields\n\n"
    "### -field dwSize\n\nSize of the structure.\n\n### -field dwFlags\n\nThe flags.\n";

class StructureBreaks : public ::testing::TestWithParam<BreakCase> {};

TEST_P(StructureBreaks, RowsAndLogLine)
{
    const BreakCase& c = GetParam();
    const std::string page = c.requirements ? ReferencePageText("NS:ddraw._DDX", c.body, c.requirements)
                                            : ReferencePageText("NS:ddraw._DDX", c.body);
    const Conversion result = Convert({c.header}, {{"ns-ddraw-ddx.md", page}});
    EXPECT_EQ(result.ExitCode(), 0) << Joined(result.log.Lines()) << result.failure;
    EXPECT_TRUE(ContainsRun(result.rows, c.rows)) << Joined(result.rows);
    if (*c.log) {
        EXPECT_TRUE(AnyLineContains(result.log.Lines(), c.log)) << Joined(result.log.Lines());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, StructureBreaks,
    ::testing::Values(
        BreakCase{"UnionClosedWithItsName",
                  "typedef struct _DDX {\n  DWORD dwSize;\n  union\n  {\n    LONG lPitch;\n    DWORD dwLinearSize;\n"
                  "  } DUMMYUNIONNAMEN(1);\n} DDX;\n",
                  "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field DUMMYUNIONNAMEN.lPitch\n\nPitch.\n\n"
                  "### -field DUMMYUNIONNAMEN.dwLinearSize\n\nLinear size.\n",
                  {"DWORD dwSize;", "union {", "LONG lPitch;", "DWORD dwLinearSize;", "};", "} DDX;"},
                  "header had '} DUMMYUNIONNAMEN(1);'; wrote '};'"},
        BreakCase{"OpeningBraceOnItsOwnRow", "typedef struct _DDX\n{\n  DWORD dwSize;\n  DWORD dwFlags;\n} DDX;\n",
                  kPlainFields, {"typedef struct _DDX {", "DWORD dwSize;"}, "'{' on a row of its own"},
        BreakCase{"CommentsInsideTheDeclaration",
                  "typedef struct _DDX {\n  DWORD dwSize; /* see the union below */\n  DWORD dwFlags; // { }\n} DDX;\n",
                  kPlainFields, {"typedef struct _DDX {", "DWORD dwSize;", "DWORD dwFlags;", "} DDX;"},
                  "comments inside the declaration"},
        BreakCase{"ArrayMemberDocumentedWithoutBounds", "typedef struct _DDX {\n  WORD red[256];\n} DDX;\n",
                  "## -struct-fields\n\n### -field red\n\nThe red ramp.\n",
                  {"WORD[256] red;", "} DDX;", "Members", "red", "The red ramp."},
                  "wrote 'WORD[256] red;': the array bound goes with the type"},
        BreakCase{"UnionMemberUnderThePlaceholderName",
                  "typedef struct _DDX {\n  union {\n    LONG lPitch;\n  } DUMMYUNIONNAME1;\n} DDX;\n",
                  "## -struct-fields\n\n### -field DUMMYUNIONNAMEN.lPitch\n\nBytes per row.\n",
                  {"Members", "lPitch", "Bytes per row."}, "page had 'DUMMYUNIONNAMEN.' before lPitch; wrote the names alone"},
        BreakCase{"PlaceholderDocumentedButNotDeclared", kPlainHeader,
                  "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field DUMMYUNIONNAMEN\n\nN/A\n\n"
                  "### -field dwFlags\n\nThe flags.\n",
                  {"dwSize", "Size.", "dwFlags", "The flags."}, "a placeholder for a nameless union"},
        BreakCase{"OneHeadingNamesFourFlags", kPlainHeader,
                  "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nOne of these:\n\n"
                  "#### DDX_1BIT, DDX_2BIT, DDX_4BIT, DDX_8BIT\n\nThe palette has that many bits per entry.\n",
                  {"One of these:", "DDX_1BIT The palette has that many bits per entry.",
                   "DDX_2BIT The palette has that many bits per entry.", "DDX_4BIT The palette has that many bits per entry.",
                   "DDX_8BIT The palette has that many bits per entry."},
                  "one heading names several flags"},
        BreakCase{"FlagDescriptionStartsWithACapitalWord", kPlainHeader,
                  "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nThe flags.\n\n"
                  "#### DDX_WAIT\n\nDDX_NOW must not be set with it.\n",
                  {"The flags.", "DDX_WAIT DDX_NOW must not be set with it."}, "description starts with a word without lowercase"},
        BreakCase{"HtmlFlagTableWithMarkupAndEntities", kPlainHeader,
                  "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nThe flags.\n\n"
                  "<table>\n<tr><th>Flag</th><th>Meaning</th></tr>\n<tr><td><p>DDX_CAPS</p></td>"
                  "<td><p>The <b>ddsCaps</b> member is valid &amp; <a href=\"x.md\">set</a>.</p></td></tr>\n"
                  "<tr><td>0x01</td><td>Bit one.</td></tr>\n</table>\n",
                  {"The flags.", "DDX_CAPS The ddsCaps member is valid & set.", "QuickInfo"},
                  "page had '0x01 Bit one.' after the first paragraph of the dwFlags description"},
        BreakCase{"DescriptionOfSeveralParagraphsAndCode", kPlainHeader,
                  "## -struct-fields\n\n### -field dwSize\n\nSize of the structure.\n\nSet it before use.\n\n"
                  "```cpp\nddx.dwSize = sizeof(ddx);\n```\n\n### -field dwFlags\n\nThe flags.\n",
                  {"dwSize", "Size of the structure.", "dwFlags"}, "page had 'Set it before use.' and 1 code block(s) after the first paragraph of the dwSize description"},
        BreakCase{"RequirementsOfOneRow", kPlainHeader, kPlainFields,
                  {"QuickInfo", "Header: Declared in ddraw.h", "Requirement: none listed.", "Requirement: none listed.",
                   "Requirement: none listed."},
                  "the QuickInfo block always holds four rows", "req.header: ddraw.h\nreq.lib: \nreq.typenames: *LPDDX, DDX\n"},
        BreakCase{"SecondDescriptionParagraphMentionsTheStructure", kPlainHeader,
                  "## -description\n\nThe DDX structure describes x.\n\nThis structure is used by Blt.\n\n"
                  "## -struct-fields\n\n### -field dwSize\n\nSize.\n\n### -field dwFlags\n\nThe flags.\n",
                  {"DDX", "The DDX structure describes x.", "typedef struct _DDX {"},
                  "a paragraph with 'struct' would be read as the declaration's first row"},
        BreakCase{"StructureNestedInAUnion",
                  "typedef struct _DDX {\n  union {\n    DWORD dwZBitMask;\n    struct {\n      WORD wFlipMSTypes;\n"
                  "      WORD wBltMSTypes;\n    } MultiSampleCaps;\n  } DUMMYUNIONNAME3;\n} DDX;\n",
                  "## -struct-fields\n\n### -field DUMMYUNIONNAMEN.dwZBitMask\n\nZ mask.\n\n"
                  "### -field DUMMYUNIONNAMEN.MultiSampleCaps\n\nA structure of two masks.\n\n"
                  "##### wFlipMSTypes\n\nFlip mask.\n\n##### wBltMSTypes\n\nBlit mask.\n",
                  {"union {", "DWORD dwZBitMask;", "WORD MultiSampleCaps.wFlipMSTypes;", "WORD MultiSampleCaps.wBltMSTypes;",
                   "};"},
                  "a structure inside a structure is written as its members"}));

TEST(StructureSkips, AnItemThatCannotBeRepresentedIsLostWholeAndTheRestWritten)
{
    const std::string header = std::string(kPlainHeader) +
                               "typedef struct _DDY {\n  unsigned long dwValue;\n} DDY;\n";
    const Conversion result =
        Convert({header}, {{"ddx.md", ReferencePageText("NS:ddraw._DDX", kPlainFields)},
                         {"ddy.md", ReferencePageText("NS:ddraw._DDY", "## -struct-fields\n\n### -field dwValue\n\nV.\n")},
                         {"ddz.md", ReferencePageText("NS:ddraw._DDZ", "## -struct-fields\n\n### -field a\n\nA.\n")}});
    EXPECT_EQ(result.ExitCode(), 1);
    EXPECT_EQ(result.written, 1);
    EXPECT_EQ(result.log.CountOf(ItemKind::Structure, Outcome::Lost), 1);
    EXPECT_EQ(result.log.CountOf(ItemKind::Structure, Outcome::NotInHeader), 1);
    EXPECT_TRUE(AnyLineContains(result.log.Lines(), "lost: DDY: the member 'unsigned long dwValue;' has the type"));
    EXPECT_TRUE(AnyLineContains(result.log.Lines(), "not in the header: _DDZ: the headers declare no structure"));
    EXPECT_FALSE(AnyLineContains(result.rows, "DDY"));
}

TEST(StructureSkips, MixingStructureAndMethodPagesWritesNothing)
{
    const Conversion result =
        Convert({kPlainHeader}, {{"ddx.md", ReferencePageText("NS:ddraw._DDX", kPlainFields)},
                               {"m.md", ReferencePageText("NF:ddraw.IDirectDraw7.Compact", "## -description\n\nC.\n")}});
    EXPECT_EQ(result.ExitCode(), 2);
    EXPECT_TRUE(result.rows.empty());
    EXPECT_NE(result.failure.find("cannot go into one file"), std::string::npos);
}

} // namespace
} // namespace velmora::convert
