#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/RowLines.h"
#include "text/RowLoader.h"
#include "text/RowStore.h"

namespace velmora::text {
namespace {

using Lines = std::vector<std::string>;

TEST(RowStore, RowsComeBackAsTheyWereAppended)
{
    RowStore store;
    EXPECT_EQ(store.Count(), 0u);
    store.Append("Structures");
    store.Append("a");
    store.Append("DWORD dwSize;");
    ASSERT_EQ(store.Count(), 3u);
    EXPECT_EQ(store[0], "Structures");
    EXPECT_EQ(store[1], "a");
    EXPECT_EQ(store[2], "DWORD dwSize;");
    EXPECT_EQ(testing::LinesOf(store), (Lines{"Structures", "a", "DWORD dwSize;"}));
    store.Clear();
    EXPECT_EQ(store.Count(), 0u);
}

TEST(RowStore, TheSplitterFillsTrimmedDecodedRows)
{
    const std::string text = "  Structures\r\nDDCOLORKEY\r\n\r\n\tcaf\xE9 \n";
    RowSplitter splitter(text.size());
    splitter.Feed(text);
    const RowStore store = splitter.FinishStore();
    EXPECT_EQ(testing::LinesOf(store), (Lines{"Structures", "DDCOLORKEY", "caf\xC3\xA9"}));
}

TEST(RowStore, RowsPastOneChunkOfEndsAndDecodedInPlaceKeepTheirPlaces)
{
    RowStore store;
    Lines expected;
    for (int i = 0; i < 70000; ++i) {  // more than one chunk of row ends
        const bool accented = i % 7 != 0 && i % 5 == 0;
        const std::string row = i % 7 == 0 ? "" : (accented ? "caf\xE9 \x93" + std::to_string(i) : std::to_string(i));
        store.ExtendOpenRow(row.substr(0, row.size() / 2));
        store.ExtendOpenRow(row.substr(row.size() / 2));
        store.CloseOpenRow();
        expected.push_back(accented ? "caf\xC3\xA9 \xE2\x80\x9C" + std::to_string(i) : row);
    }
    store.ExtendOpenRow("dropped");
    store.DropOpenRow();
    store.DecodeWindows1252();
    EXPECT_EQ(testing::LinesOf(store), expected);
    EXPECT_EQ(store[5], "caf\xC3\xA9 \xE2\x80\x9C" "5");
}

} // namespace
} // namespace velmora::text
