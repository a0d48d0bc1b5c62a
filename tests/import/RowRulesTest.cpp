#include <gtest/gtest.h>

#include <algorithm>
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

// The plain scan a name index must agree with: whole entries, byte for byte.
bool ListContains(const std::vector<std::string>& list, std::string_view t)
{
    return std::find(list.begin(), list.end(), t) != list.end();
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

TEST(RowRules, NameIndexFollowsAGrowingListAndAnEmptiedOne)
{
    text::TextList list = ListOf({"dwRed"});
    text::NameIndex index(list);
    EXPECT_TRUE(index.Contains("dwRed"));
    EXPECT_FALSE(index.Contains("dwGreen"));
    // Enough names to move the list's strings: the index holds positions.
    for (int i = 0; i < 1000; ++i) list.push_back(std::string("n").append(std::to_string(i)));
    EXPECT_TRUE(index.Contains("n999"));
    EXPECT_TRUE(index.Contains("dwRed"));
    EXPECT_FALSE(index.Contains("n1000"));
    list.clear();
    EXPECT_FALSE(index.Contains("dwRed"));
    list.push_back("dwBlue");
    EXPECT_TRUE(index.Contains("dwBlue"));
    // Emptied and grown back past the size the index last saw, with no question between.
    list.clear();
    for (const char* name : {"dwCyan", "dwMagenta", "dwYellow"}) list.push_back(name);
    EXPECT_FALSE(index.Contains("dwBlue"));
    EXPECT_TRUE(index.Contains("dwYellow"));
}

TEST(RowRules, NameIndexFindsEveryNameOfAListThatArrivesWholeOrNameByName)
{
    for (const int askEvery : {0, 1, 997}) {  // never while it grows, after every name, now and then
        text::TextList list;
        text::NameIndex index(list);
        for (int i = 0; i < 30000; ++i) {
            list.push_back(i % 7 == 0 ? std::string() : std::string("m").append(std::to_string(i % 20000)));
            if (askEvery != 0 && i % askEvery == 0) {
                EXPECT_TRUE(index.Contains(""));
            }
        }
        int missed = 0;
        for (int i = 1; i < 20000; ++i) missed += i % 7 != 0 && !index.Contains(std::string("m").append(std::to_string(i)));
        EXPECT_EQ(missed, 0) << askEvery;
        EXPECT_TRUE(index.Contains(""));
        EXPECT_FALSE(index.Contains("m20000"));
    }
}

TEST(RowRules, NameIndexAnswersAsAScanOfTheListDoes)
{
    // Names that differ only in case, by a prefix or by a byte past ASCII; empty ones.
    const std::vector<std::string> names{
        "dwSize", "dwsize", "dwSiz", "", "dwFlags", "dwFlags", "l\xC3\xA4nge", "l\xC3\xA4ng", std::string("a\0b", 3)};
    const std::vector<std::string> questions{
        "dwSize", "DWSIZE",  "dwSizes",      "dwSi",         "",
        " ",      "dwFlags", "l\xC3\xA4nge", "l\xC3\x84nge", std::string("a\0b", 3),
        "a",      "dwColor"};
    for (std::size_t length = 0; length <= names.size(); ++length) {
        const std::vector<std::string> some(names.begin(), names.begin() + static_cast<std::ptrdiff_t>(length));
        text::TextList list;
        for (const std::string& name : some)
            list.push_back(name);
        text::NameIndex index(list);
        for (const std::string& question : questions)
            EXPECT_EQ(index.Contains(question), ListContains(some, question))
                << length << " names, '" << question << "'";
    }
}

} // namespace
} // namespace velmora::import
