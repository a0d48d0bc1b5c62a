#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "support/TextListCompare.h"
#include "text/TextList.h"

namespace velmora::text {
namespace {

using Lines = std::vector<std::string>;

TEST(TextList, EntriesComeBackAsTheyWereAdded)
{
    TextList list;
    EXPECT_TRUE(list.empty());
    list.push_back("dwSize");
    list.push_back("");
    list.push_back(std::string("::[StructureIndex,0]::") + "The size.");
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.At(0), "dwSize");
    EXPECT_EQ(list.At(1), "");
    EXPECT_EQ(list[2], "::[StructureIndex,0]::The size.");
    EXPECT_EQ(list, (Lines{"dwSize", "", "::[StructureIndex,0]::The size."}));
    EXPECT_FALSE(list == (Lines{"dwSize", ""}));
    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST(TextList, ManyAndLongEntriesSpanSeveralBlocks)
{
    TextList list;
    Lines expected;
    for (int i = 0; i < 20000; ++i) {
        expected.push_back("entry number " + std::to_string(i));
        list.push_back(expected.back());
    }
    expected.push_back(std::string(200000, 'x'));  // longer than one block
    list.push_back(expected.back());
    list.push_back(list.At(5));                    // from the list itself, into a new block or not
    expected.push_back(expected[5]);
    EXPECT_EQ(list, expected);

    TextList copy = list;
    copy.push_back("after the copy");
    EXPECT_EQ(copy.size(), list.size() + 1);
    std::size_t i = 0;
    for (const std::string_view entry : list) EXPECT_EQ(entry, expected.at(i++));
    EXPECT_EQ(i, expected.size());
    EXPECT_EQ(copy.At(copy.size() - 1), "after the copy");
    EXPECT_FALSE(copy == list);
    EXPECT_EQ(list, expected);   // the copy grew alone
}

TEST(TextList, RepeatedEntriesShareOneCopyAlsoWhenAppendedElsewhere)
{
    TextList pending;
    pending.push_back("first");
    pending.push_back(std::string(1000, 'd'));
    pending.RepeatLast();
    pending.RepeatLast();
    pending.push_back(std::string(1000, 'd'));  // equal text, its own copy
    TextList all;
    all.push_back("before");
    all.Append(pending);
    EXPECT_EQ(all, (std::vector<std::string>{"before", "first", std::string(1000, 'd'), std::string(1000, 'd'),
                                             std::string(1000, 'd'), std::string(1000, 'd')}));
    EXPECT_EQ(all.At(2).data(), all.At(3).data());
    EXPECT_EQ(all.At(2).data(), all.At(4).data());
    EXPECT_NE(all.At(4).data(), all.At(5).data());
}

TEST(TextList, AppendingABigListTakesItsTextOverSharingAndAll)
{
    for (const std::size_t length : {std::size_t(10), std::size_t(100000)}) {  // copied, taken over
        TextList pending;
        pending.push_back("a");
        pending.push_back(std::string(length, 'd'));
        pending.RepeatLast();
        const char* const text = pending.At(1).data();
        TextList all;
        all.push_back("before");
        all.Append(std::move(pending));
        EXPECT_TRUE(pending.empty());
        EXPECT_EQ(all, (std::vector<std::string>{"before", "a", std::string(length, 'd'), std::string(length, 'd')}));
        EXPECT_EQ(all.At(2).data(), all.At(3).data());
        EXPECT_EQ(all.At(2).data() == text, length > 64 * 1024) << length;
        all.push_back("after");
        EXPECT_EQ(all.At(4), "after");
        EXPECT_EQ(all.At(1), "a");
    }
}

TEST(TextList, EntriesOfEverySizeSurviveBeingAppendedElsewhere)
{
    // Around the longest size an entry records itself and the block size.
    const std::size_t sizes[] = {0, 1, 1022, 1023, 1024, 65535, 65536, 100000, 3};
    Lines expected{"before"};
    TextList list;
    for (const std::size_t size : sizes) {
        expected.push_back(std::string(size, static_cast<char>('a' + size % 26)));
        list.push_back(expected.back());
        expected.push_back("small");
        list.PushBackShared("small");
    }
    TextList copied, moved;
    copied.push_back("before");
    moved.push_back("before");
    copied.Append(list);
    moved.Append(std::move(list));
    EXPECT_EQ(copied, expected);
    EXPECT_EQ(moved, expected);
    moved.PushBackShared("small");
    moved.PushBackShared("smaller");
    EXPECT_EQ(moved.At(moved.size() - 2).data(), moved.At(moved.size() - 3).data());
    EXPECT_EQ(moved.At(moved.size() - 1), "smaller");
}

TEST(TextList, AListAppendedToAnAlmostFullBlockKeepsEveryEntry)
{
    TextList all;
    const std::string filler(1000, 'f');
    for (int i = 0; i < 65; ++i) all.push_back(filler);  // 65,000 of the block's 65,536 bytes
    TextList pending;
    for (const char* entry : {"dwSize", "", "dwFlags", "lpData"}) pending.push_back(entry);
    pending.RepeatLast();
    all.Append(pending);
    all.Append(pending);
    Lines expected(65, filler);
    for (int copy = 0; copy < 2; ++copy)
        for (const char* entry : {"dwSize", "", "dwFlags", "lpData", "lpData"}) expected.push_back(entry);
    EXPECT_EQ(all, expected);
}

} // namespace
} // namespace velmora::text
