#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "text/NameIndex.h"
#include "text/TextList.h"

namespace velmora::text {
namespace {

TextList ListOf(std::initializer_list<std::string_view> names)
{
    TextList list;
    for (const std::string_view name : names) list.push_back(name);
    return list;
}

// The plain scan a name index must agree with: whole entries, byte for byte.
bool ListContains(const std::vector<std::string>& list, std::string_view t)
{
    return std::find(list.begin(), list.end(), t) != list.end();
}

TEST(NameIndex, FollowsAGrowingListAndAnEmptiedOne)
{
    TextList list = ListOf({"dwRed"});
    NameIndex index(list);
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

TEST(NameIndex, FindsEveryNameOfAListThatArrivesWholeOrNameByName)
{
    for (const int askEvery : {0, 1, 997}) {  // never while it grows, after every name, now and then
        TextList list;
        NameIndex index(list);
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

TEST(NameIndex, AnswersAsAScanOfTheListDoes)
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
        TextList list;
        for (const std::string& name : some)
            list.push_back(name);
        NameIndex index(list);
        for (const std::string& question : questions)
            EXPECT_EQ(index.Contains(question), ListContains(some, question))
                << length << " names, '" << question << "'";
    }
}

} // namespace
} // namespace velmora::text
