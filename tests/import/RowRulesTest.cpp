#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/RowRules.h"
#include "support/RecordingObserver.h"
#include "text/NameIndex.h"
#include "text/TextList.h"

namespace velmora::import {
namespace {

using testing::RecordingObserver;
using Lines = std::vector<std::string>;

struct RowCase {
    std::string row;
    bool expected;
};

text::TextList ListOf(std::initializer_list<std::string_view> names)
{
    text::TextList list;
    for (const std::string_view name : names) list.push_back(name);
    return list;
}

void ExpectAll(bool (*test)(std::string_view), const std::vector<RowCase>& cases)
{
    for (const RowCase& c : cases) EXPECT_EQ(test(c.row), c.expected) << "row: '" << c.row << "'";
}

TEST(RowRules, SameTextIsWholeByteForByteAndCaseSensitive)
{
    EXPECT_TRUE(IsSameText("Structures", "Structures"));
    EXPECT_FALSE(IsSameText("structures", "Structures"));
    EXPECT_FALSE(IsSameText("Structures:", "Structures"));
    EXPECT_TRUE(IsSameText("", ""));
}

TEST(RowRules, SingleWordCountsOnlyTheSpaceCharacter)
{
    ExpectAll(IsSingleWord, {{"DDCOLORKEY", true}, {"DWORD\tdwSize;", true}, {"", true},
                             {"DDBLTFX structure", false}, {"a ", false}});
}

TEST(RowRules, DeclarationRowTests)
{
    ExpectAll(IsStructRow, {{"typedef struct _DDCOLORKEY {", true}, {"substructure", true}, {"Struct", false}});
    ExpectAll(IsStructEndRow, {{"} DDCOLORKEY, FAR* LPDDCOLORKEY;", true}, {"};", false}, {"}", false}, {"x} y", true}});
    ExpectAll(IsUnionRow, {{"LPVOID lpData; // union member", true}, {"DWORD dwUnionData;", false}, {"union {", true},
                           {"reunion", true}});
    ExpectAll(IsOpenBraceRow, {{"{", true}, {"union {", true}, {"}", false}});
    ExpectAll(IsUnionEndRow, {{"};", true}, {"} u;", false}, {"} DDX;", false}});
}

TEST(RowRules, FlagRowLooksOnlyForLowercaseLettersInTheFirstWord)
{
    ExpectAll(IsFlagRow, {{"DDSD_CAPS", true},
                          {"DDSD_CAPS Indicates that the member is valid.", true},
                          {"dwFlags", false},
                          {"A value that...", true},
                          {"", true},
                          {"0x0001 value", false},  // the x counts
                          {"0X0001 value", true},
                          {"DDSD_Caps", false},
                          {" leading space", true},  // the first word is empty
                          {"DDSD\tcaps", false},      // a tab does not end the word
                          {"\xC3\xA9T\xC3\xA9", true}});  // only a to z count
}

TEST(RowRules, TrimLeadingBlanksDropsEveryByteUpToSpace)
{
    EXPECT_EQ(TrimLeadingBlanks(" \t\x01Set if... "), "Set if... ");
    EXPECT_EQ(TrimLeadingBlanks("  "), "");
    EXPECT_EQ(TrimLeadingBlanks("\xC2\xA0x"), "\xC2\xA0x");
}

TEST(RowRules, ThisAndThatSplitsAtTheFirstSpacedAndTracesBothHalves)
{
    const text::TextList members = ListOf({"dwWidth", "dwHeight", "dwDepth"});
    struct Case {
        std::string row;
        bool expected;
        std::string thisString, thatString;
        bool traced;
    };
    const std::vector<Case> cases{
        {"dwWidth and dwHeight", true, "dwWidth", "dwHeight", true},
        {"dwHeight and dwWidth", true, "dwHeight", "dwWidth", true},
        {"dwWidth and", false, "", "", false},
        {"dwWidth and dwHeight and dwDepth", false, "dwWidth", "dwHeight and dwDepth", true},
        {"dwWidth and dwSize", false, "dwWidth", "dwSize", true},
        {"dwWidth andy dwHeight", false, "", "", false},
    };
    for (const Case& c : cases) {
        RecordingObserver observer;
        std::string thisString, thatString;
        text::NameIndex index(members);
        EXPECT_EQ(IsThisAndThat(c.row, index, observer, thisString, thatString), c.expected) << c.row;
        if (c.traced) {
            EXPECT_EQ(observer.trace, (Lines{"inside IsThisAndThat():: this_string == '" + c.thisString + "'",
                                             "inside IsThisAndThat():: that_string == '" + c.thatString + "'"}))
                << c.row;
        } else {
            EXPECT_TRUE(observer.trace.empty()) << c.row;
        }
    }
}

TEST(RowRules, ThisThatAndSomethingElseCollectsTheNamesAsTheRowWritesThem)
{
    const text::TextList members = ListOf({"dwRed", "dwGreen", "dwBlue"});
    struct Case {
        std::string row;
        bool expected;
        Lines names;
    };
    const std::vector<Case> cases{
        {"dwRed, dwGreen, and dwBlue", true, {"dwRed", "dwGreen", "dwBlue"}},
        {"dwRed, dwGreen and dwBlue", true, {"dwRed", "dwBlue"}},
        {"dwRed,dwGreen, and dwBlue", true, {"dwRed", "wGreen", "dwBlue"}},
        // The character after a comma goes whole, also a no-break space or an é.
        {"dwRed,\xC2\xA0" "dwGreen,\xC3\xA9" "and dwBlue", true, {"dwRed", "dwGreen", "dwBlue"}},
        {"dwAlpha, dwBeta, and dwGamma", false, {"dwAlpha", "dwBeta", "dwGamma"}},
        {"dwAlpha, dwBeta, and dwRed", true, {"dwAlpha", "dwBeta", "dwRed"}},
        {"no names here", false, {}},
        {"dwRed,", true, {"dwRed"}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        text::NameIndex index(members);
        ListedNames names(std::string_view("left, over"));
        EXPECT_EQ(IsThisThatAndSomethingElse(c.row, index, names), c.expected) << c.row;
        Lines collected;
        names.ForEach([&](std::string_view name) { collected.emplace_back(name); });
        EXPECT_EQ(collected, c.names) << c.row;
        EXPECT_EQ(names.Count(), c.names.size()) << c.row;
    }
}

} // namespace
} // namespace velmora::import
