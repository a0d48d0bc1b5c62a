#include <gtest/gtest.h>

#include "import/IndexTags.h"

namespace velmora::import {
namespace {

TEST(IndexTags, MakeTagWritesNameAndDecimalValue)
{
    EXPECT_EQ(MakeTag("StructureIndex", 3), "::[StructureIndex,3]::");
    EXPECT_EQ(MakeTag("FlagMemberIndex", 0), "::[FlagMemberIndex,0]::");
    EXPECT_EQ(MakeTag("UniqueMemberIndex", 12345678901LL), "::[UniqueMemberIndex,12345678901]::");
}

TEST(IndexTags, ExtractTagFindsTheNamedTagAndRemovesEveryTagUpToIt)
{
    struct Case {
        std::string name, text;
        long long value;
        std::string rest;
    };
    const std::vector<Case> cases{
        {"FlagMemberIndex", "::[FlagStructureIndex,2]::::[FlagMemberIndex,5]::Text", 5, "Text"},
        {"FlagStructureIndex", "::[FlagStructureIndex,2]::::[FlagMemberIndex,5]::Text", 2, "::[FlagMemberIndex,5]::Text"},
        {"StructureIndex", "Plain text", -1, "Plain text"},
        {"StructureIndex", "::[StructureIndex,0]::A description, with a comma", 0, "A description, with a comma"},
        {"UniqueStructureIndex", "::[UniqueStructureIndex,17]::DDCOLORKEY", 17, "DDCOLORKEY"},
        // absent name: every tag is removed on the way
        {"StructureIndex", "::[FlagStructureIndex,2]::::[FlagMemberIndex,5]::Text", -1, "Text"},
        // a closing mark before the first opening one stops the search
        {"StructureIndex", "a ]:: b ::[StructureIndex,1]::", -1, "a ]:: b ::[StructureIndex,1]::"},
        {"StructureIndex", "::[StructureIndex,1 no close", -1, "::[StructureIndex,1 no close"},
        // a tag without a comma is skipped
        {"StructureIndex", "::[StructureIndex]::x::[StructureIndex,4]::y", 4, "xy"},
        // prefix match on the inside of the tag
        {"Structure", "::[StructureIndex,9]::z", 9, "z"},
        {"StructureIndex", "pre::[StructureIndex,-3]::post", -3, "prepost"},
    };
    for (const Case& c : cases) {
        std::string rest = "stale";
        EXPECT_EQ(ExtractTag(c.name, c.text, rest), c.value) << c.name << " in " << c.text;
        EXPECT_EQ(rest, c.rest) << c.name << " in " << c.text;
    }
}

TEST(IndexTags, ExtractTagReadsBackWhatMakeTagWrote)
{
    const std::string entry = MakeTag("FlagStructureIndex", 41) + MakeTag("FlagMemberIndex", 1234) + "Set if...";
    std::string rest;
    EXPECT_EQ(ExtractTag("FlagStructureIndex", entry, rest), 41);
    EXPECT_EQ(ExtractTag("FlagMemberIndex", entry, rest), 1234);
    EXPECT_EQ(rest, "Set if...");
}

TEST(IndexTags, AValueThatIsNotADecimalIntegerIsAConversionError)
{
    std::string rest;
    for (const char* text : {"::[StructureIndex,abc]::x", "::[StructureIndex,]::x", "::[StructureIndex,1 2]::x",
                             "::[StructureIndex,99999999999999999999]::x", "::[StructureIndex,0x10]::x"}) {
        EXPECT_THROW(ExtractTag("StructureIndex", text, rest), TagConversionError) << text;
    }
    try {
        ExtractTag("StructureIndex", "::[StructureIndex,abc]::x", rest);
    } catch (const TagConversionError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(IndexTags, StructureLinksAreCheckedAgainstTheListsInOrder)
{
    // Entries as the structures parser writes them, for 2 structures and 3 members.
    struct Case {
        std::string entry;
        std::string error;   // empty: the links read 1 and 2, the description "Set if..."
    };
    const std::vector<Case> flags{
        {"::[FlagStructureIndex,1]::::[FlagMemberIndex,2]::Set if...", ""},
        {"::[FlagStructureIndex,2]::::[FlagMemberIndex,2]::Set if...", "an entry has no valid FlagStructureIndex tag"},
        {"::[FlagStructureIndex,2]::::[FlagMemberIndex,x]::Set if...", "an entry has no valid FlagStructureIndex tag"},
        {"::[FlagStructureIndex,1]::::[FlagMemberIndex,3]::Set if...", "an entry has no valid FlagMemberIndex tag"},
        {"::[FlagMemberIndex,2]::Set if...", "an entry has no valid FlagStructureIndex tag"},
        {"::[FlagStructureIndex,1]::Set if...", "an entry has no valid FlagMemberIndex tag"},
    };
    for (const Case& c : flags) {
        std::string description;
        try {
            const FlagLinks links = FlagLink(c.entry, 2, 3, description);
            EXPECT_EQ(c.error, "") << c.entry;
            EXPECT_EQ(links.structure, 1u);
            EXPECT_EQ(links.member, 2u);
            EXPECT_EQ(description, "Set if...");
        } catch (const BrokenLinkError& e) {
            EXPECT_EQ(e.what(), c.error) << c.entry;
        }
    }
    std::string description;
    EXPECT_EQ(MemberLink("::[StructureIndex,1]::The size.", 2, description), 1u);
    EXPECT_EQ(description, "The size.");
    try {
        MemberLink("::[StructureIndex,2]::The size.", 2, description);
        ADD_FAILURE() << "a link past the list";
    } catch (const BrokenLinkError& e) {
        EXPECT_STREQ(e.what(), "an entry has no valid StructureIndex tag");
        EXPECT_STREQ(e.Target(), "structure");
    }
}

} // namespace
} // namespace velmora::import
