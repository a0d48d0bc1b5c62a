#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "import/ImportErrorReport.h"
#include "import/ImportSession.h"
#include "support/RecordingObserver.h"
#include "import/RowBuffer.h"
#include "import/StructuresParser.h"
#include "import/StructuresTestSupport.h"
#include "support/RowLines.h"

namespace velmora::import {
namespace {

using testing::RecordingObserver;
using testing::RecordingSaveTarget;
using testing::StructuresDataPath;
using Lines = std::vector<std::string>;

const Lines kQuickInfo{"QuickInfo", "Windows NT: 4.0", "Windows: 95", "Windows CE: 1.0", "Header: ddraw.h"};

// Runs the parser over rows that follow a "Structures" type row.
struct ParseRun {
    RecordingObserver observer;
    RecordingSaveTarget save;
    bool parsed = false;

    explicit ParseRun(Lines rows)
    {
        rows.insert(rows.begin(), "Structures");
        RowBuffer buffer(observer);
        buffer.Assign(testing::RowsOf(rows));
        buffer.SetRow(1);
        observer.trace.clear();
        parsed = StructuresParser(buffer, observer, &save).ImportStructures("/data/s.txt");
    }

    bool Traced(const Lines& sequence) const
    {
        return std::search(observer.trace.begin(), observer.trace.end(), sequence.begin(), sequence.end()) !=
               observer.trace.end();
    }
};

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

// One structure S whose declaration body is body and whose member section is members.
Lines OneStructure(const Lines& body, const Lines& members)
{
    return Concat({{"S", "S", "The S structure.", "typedef struct _S {"}, body, {"} S;", "Members"}, members, kQuickInfo});
}

TEST(StructuresParser, MemberRowsSplitIntoTypeAndName)
{
    struct Case {
        std::string row, type, name;
    };
    const std::vector<Case> cases{
        {"DWORD dwSize;", "DWORD", "dwSize"},
        {"LPVOID lpSurface; // comment", "LPVOID", "lpSurface"},
        {"unsigned long dwValue;", "unsigned", "long dwValue"},
        {"LPVOID* lplpData;", "LPVOID*", "lplpData"},
        {"DWORD   \tdwPadded;", "DWORD", "dwPadded"},
        {"DWORD\tdwTabbed;", "", "DWORD\tdwTabbed"},
        {"{", "", "{"},
        {"DWORD dwNoSemicolon", "DWORD", "dwNoSemicolon"},
        {"DWORD dwUnionFlags;", "DWORD", "dwUnionFlags"},
    };
    for (const Case& c : cases) {
        ParseRun run(OneStructure({c.row}, {c.name, "Its description."}));
        EXPECT_TRUE(run.Traced({"found a structure member type: '" + c.type + "'",
                                "found a structure member name: '" + c.name + "'"}))
            << c.row;
        EXPECT_EQ(run.observer.statuses.at(1).caption,
                  "Parsing Structure: 'S':: Found Member:'" + c.type + "  " + c.name + "'")
            << c.row;
        EXPECT_TRUE(run.parsed) << c.row;
    }
}

TEST(StructuresParser, UnionRowsAreSkippedAndTheirMembersKept)
{
    struct Case {
        Lines body;
        Lines memberNames;
    };
    const std::vector<Case> cases{
        {{"DWORD a;", "union {", "DWORD b;", "DWORD c;", "};", "DWORD d;"}, {"a", "b", "c", "d"}},
        {{"union", "{", "DWORD b;", "union", "{", "DWORD c;", "};", "};"}, {"b", "c"}},
        // "union" anywhere opens a level, also in a comment; the row is no member
        {{"DWORD dwFlags; // see union below", "DWORD b;", "};", "DWORD c;"}, {"b", "c"}},
        // without an open union, a "};" row is a member
        {{"DWORD a;", "}; b"}, {"a", "b"}},
    };
    for (const Case& c : cases) {
        Lines members;
        for (const std::string& name : c.memberNames) members.insert(members.end(), {name, "Described."});
        ParseRun run(OneStructure(c.body, members));
        ASSERT_TRUE(run.parsed) << c.body.front();
        EXPECT_EQ(run.save.saved.at(0).Member_Names, c.memberNames) << c.body.front();
    }
}

TEST(StructuresParser, ListsCarryTheIndexTagsThatBindThemTogether)
{
    RecordingObserver observer;
    RecordingSaveTarget save;
    ImportSession session(observer, &save);
    ASSERT_EQ(session.ImportFile(StructuresDataPath("union_and_flags.txt")), ImportOutcome::Succeeded);
    ASSERT_EQ(save.saved.size(), 1u);
    const ParsedStructures& lists = save.saved[0];

    EXPECT_EQ(lists.Structure_Names, (Lines{"DDSCAPS2", "DDBLTFX"}));
    EXPECT_EQ(lists.Structure_Descriptions.size(), 2u);
    EXPECT_EQ(lists.Member_Names, (Lines{"dwCaps", "dwCaps2", "dwCaps3", "lpVolumeDesc", "dwCaps4", "dwSize", "dwDDFX"}));
    EXPECT_EQ(lists.Member_Types, (Lines{"DWORD", "DWORD", "DWORD", "LPVOID", "DWORD", "DWORD", "DWORD"}));
    EXPECT_EQ(lists.Member_Descriptions,
              (Lines{"::[StructureIndex,0]::Flags that describe the surface \xE2\x80\x93 see the \xE2\x80\x9C"
                     "DDSCAPS\xE2\x80\x9D flags.",
                     "::[StructureIndex,0]::More flags that describe the surface.", "::[StructureIndex,0]::Not used.",
                     "::[StructureIndex,0]::Not used.", "::[StructureIndex,0]::Not used either.",
                     "::[StructureIndex,1]::Size of the structure, in bytes. This member must be initialized before "
                     "the structure is used.",
                     "::[StructureIndex,1]::Type of FX operations."}));
    EXPECT_EQ(lists.Flag_Names,
              (Lines{"DDSCAPS_3DDEVICE Indicates that this surface can be used for 3D rendering.", "DDSCAPS_ALPHA",
                     "DDSCAPS2_CUBEMAP", "DDBLTFX_ARITHSTRETCHY Uses arithmetic stretching along the y-axis for this blit.",
                     "DDBLTFX_MIRRORLEFTRIGHT Turns the surface on its y-axis."}));
    // the member number counts across structures: dwDDFX is member 6 of the file
    EXPECT_EQ(lists.Flag_Descriptions,
              (Lines{"::[FlagStructureIndex,0]::::[FlagMemberIndex,0]::Indicates that this surface can be used for 3D rendering.",
                     "::[FlagStructureIndex,0]::::[FlagMemberIndex,0]::Indicates that this surface contains alpha-only information.",
                     "::[FlagStructureIndex,0]::::[FlagMemberIndex,1]::Indicates a cubic environment map.",
                     "::[FlagStructureIndex,1]::::[FlagMemberIndex,6]::Uses arithmetic stretching along the y-axis for this blit.",
                     "::[FlagStructureIndex,1]::::[FlagMemberIndex,6]::Turns the surface on its y-axis."}));
}

TEST(StructuresParser, ExtraNamesOfAListRowDoNotShiftLaterDescriptions)
{
    RecordingObserver observer;
    RecordingSaveTarget save;
    ImportSession session(observer, &save);
    ASSERT_EQ(session.ImportFile(StructuresDataPath("extra_list_names.txt")), ImportOutcome::Succeeded);
    const ParsedStructures& lists = save.saved.at(0);
    EXPECT_EQ(lists.Member_Names, (Lines{"dwSize", "dwRed", "dwGreen", "cx"}));
    EXPECT_EQ(lists.Member_Descriptions,
              (Lines{"::[StructureIndex,0]::Size of the structure.", "::[StructureIndex,0]::The color components.",
                     "::[StructureIndex,0]::The color components.", "::[StructureIndex,1]::The width."}));
}

TEST(StructuresParser, AListRowCoveringTheLastMembersOnlyAddsWhatRemains)
{
    ParseRun run(OneStructure({"BYTE r;", "BYTE g;", "BYTE b;"}, {"r", "Red.", "g, b, and a", "The rest."}));
    ASSERT_TRUE(run.parsed);
    EXPECT_TRUE(run.Traced({"adding member description for member: 'g'", "adding member description for member: 'b'",
                            "ignoring the extra member name: 'a'"}));
    EXPECT_EQ(run.save.saved.at(0).Member_Descriptions.size(), 3u);
}

TEST(StructuresParser, APairRowAsTheLastMembersIsAccepted)
{
    ParseRun run(OneStructure({"LONG cx;", "LONG cy;"}, {"cx and cy", "Width and height."}));
    EXPECT_TRUE(run.parsed);
    EXPECT_TRUE(run.Traced({"assuming row #10 is the description for members: 'cx' and 'cy'"}));
}

TEST(StructuresParser, ADescriptionStartingWithACapitalWordIsReadAsAFlag)
{
    ParseRun run(OneStructure({"DWORD dwFlags;"}, {"dwFlags", "Flags.", "A value that has no lowercase first word."}));
    EXPECT_TRUE(run.parsed);
    EXPECT_EQ(run.save.saved.at(0).Flag_Names, (Lines{"A value that has no lowercase first word."}));
    EXPECT_EQ(run.save.saved.at(0).Flag_Descriptions,
              (Lines{"::[FlagStructureIndex,0]::::[FlagMemberIndex,0]::value that has no lowercase first word."}));
}

TEST(StructuresParser, ShortInputsEndWithAnErrorReport)
{
    struct Case {
        Lines rows;
        std::string message;
    };
    const std::string listError =
        "scanned all rows but did not find a structure name repeated after the 'Structures included in this file' "
        "block...";
    const std::vector<Case> cases{
        {{}, listError},
        {{"S"}, listError},
        {{"S", "S"}, "There is no starting point for the 'struct' definition for the object 'S'"},
        {{"S", "S", "Described."}, "There is no starting point for the 'struct' definition for the object 'S'"},
        {{"S", "S", "Described.", "struct S {"}, "scanned all rows but did not find the end of the 'struct' declaration."},
        {{"S", "S", "Described.", "struct S {", "union {"},
         "scanned all rows but did not find the end of the 'struct' declaration."},
        {{"S", "S", "Described.", "struct S {", "} S;"}, "Did not find the 'Members' keyword as expected."},
        {{"S", "S", "Described.", "struct S {", "DWORD a;", "DWORD b;", "} S;", "Members"},
         "Expected but did not find a particular member name & description: 'S::a'"},
        {{"S", "S", "Described.", "struct S {", "DWORD a;", "} S;", "Members", "a"},
         "a flag was encountered followed immediately by another flag"},
        {{"S", "S", "Described.", "struct S {", "DWORD a;", "} S;", "Members", "a", "About a.", "A_FLAG"},
         "a flag was encountered followed immediately by another flag"},
    };
    for (const Case& c : cases) {
        ParseRun run(c.rows);
        EXPECT_FALSE(run.parsed) << ::testing::PrintToString(c.rows);
        ASSERT_GE(run.observer.trace.size(), 3u);
        EXPECT_EQ(*(run.observer.trace.end() - 2), c.message) << ::testing::PrintToString(c.rows);
        EXPECT_EQ(run.observer.LastStatus(), kImportErrorCaption);
    }
}

TEST(StructuresParser, AFirstNameThatRepeatsAtOnceGivesOneStructure)
{
    ParseRun run(Concat({{"S"}, OneStructure({"DWORD a;"}, {"a", "About a."})}));
    // The list is S, S: the second S ends it and is the name row; the third S is then the description.
    EXPECT_FALSE(run.parsed);
    EXPECT_TRUE(run.Traced({"found a repetition of a structure name: 'S'... assuming the relevant structure list is finished.",
                            ">>> parsing structure definition #0 <<<"}));

    ParseRun single(OneStructure({"DWORD a;"}, {"a", "About a."}));
    EXPECT_TRUE(single.parsed);
    EXPECT_EQ(single.save.saved.at(0).Structure_Names, (Lines{"S"}));
    EXPECT_EQ(single.observer.trace.back(), "1 structures were imported SUCCESSFULLY!");
}

TEST(StructuresParser, WithoutASaveTargetTheImportEndsAfterTheCount)
{
    RecordingObserver observer;
    RowBuffer rows(observer);
    rows.Assign(testing::RowsOf(Concat({{"Structures"}, OneStructure({"DWORD a;"}, {"a", "About a."})})));
    rows.SetRow(1);
    EXPECT_TRUE(StructuresParser(rows, observer, nullptr).ImportStructures("p"));
    EXPECT_EQ(observer.trace.back(), "1 structures were imported SUCCESSFULLY!");
    EXPECT_EQ(observer.LastStatus(), "1 structures were imported SUCCESSFULLY!");
}

// No input may hang or crash the parser: random rows drawn from the words the
// layout uses always end in success or in an error report.
TEST(StructuresParser, RandomInputsAlwaysEnd)
{
    const Lines vocabulary{"S",           "T",       "Members", "QuickInfo", "Remarks", "struct S {", "} S;",
                           "union {",     "{",       "};",      "DWORD a;",  "DWORD b;", "a",          "b",
                           "a and b",     "a, b, and c", "FLAG", "FLAG Described.", "Described.", "",  "x y"};
    std::mt19937 random(20240601);
    for (int i = 0; i < 3000; ++i) {
        Lines rows(std::uniform_int_distribution<int>(0, 40)(random));
        for (std::string& row : rows) row = vocabulary[std::uniform_int_distribution<std::size_t>(0, vocabulary.size() - 1)(random)];
        ParseRun run(rows);
        const std::string last = run.observer.LastStatus();
        if (run.parsed) {
            EXPECT_NE(last.find("structures were imported SUCCESSFULLY!"), std::string::npos);
        } else {
            EXPECT_TRUE(last == kImportErrorCaption || last.empty()) << ::testing::PrintToString(rows);
            EXPECT_EQ(run.observer.shows, 1);
        }
    }
}

} // namespace
} // namespace velmora::import
