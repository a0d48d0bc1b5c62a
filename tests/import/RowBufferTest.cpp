#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/RecordingObserver.h"
#include "import/RowBuffer.h"
#include "support/RowLines.h"

namespace velmora::import {
namespace {

using testing::RecordingObserver;
using Lines = std::vector<std::string>;

TEST(RowBuffer, SetRowTracesEveryRowItLandsOnButNotPastTheEnd)
{
    RecordingObserver observer;
    RowBuffer rows(observer);
    rows.Assign(testing::RowsOf({"Structures", "DDCOLORKEY", "DDCOLORKEY"}));

    rows.SetRow(0);
    rows.NextRow();
    rows.SetRow(2);
    rows.NextRow();  // onto the end
    EXPECT_EQ(rows.Current(), 3);
    rows.SetRow(7);  // well past it
    EXPECT_EQ(rows.Current(), 7);

    EXPECT_EQ(observer.trace, (Lines{"Row #0: 'Structures'", "Row #1: 'DDCOLORKEY'", "Row #2: 'DDCOLORKEY'"}));
}

TEST(RowBuffer, ReadingOutsideTheRowsGivesTheEmptyText)
{
    RecordingObserver observer;
    RowBuffer rows(observer);
    EXPECT_EQ(rows.RowRef(), "");
    EXPECT_TRUE(rows.AtOrPastEnd());

    rows.Assign(testing::RowsOf({"a", "b"}));
    rows.SetRow(1);
    EXPECT_EQ(rows.RowRef(), "b");
    EXPECT_EQ(rows.RowView(0), "a");
    rows.NextRow();
    EXPECT_TRUE(rows.AtOrPastEnd());
    EXPECT_EQ(rows.RowRef(), "");
    EXPECT_EQ(rows.RowView(2), "");
    EXPECT_EQ(rows.RowView(-1), "");
    rows.SetRow(-1);
    EXPECT_EQ(rows.RowRef(), "");
    EXPECT_EQ(observer.trace, (Lines{"Row #1: 'b'"}));
}

TEST(RowBuffer, ClearEmptiesTheRowsAndResetsTheCursorAssignKeepsIt)
{
    RecordingObserver observer;
    RowBuffer rows(observer);
    rows.Assign(testing::RowsOf({"a", "b", "c"}));
    rows.SetRow(2);
    rows.Assign(testing::RowsOf({"x", "y", "z", "w"}));
    EXPECT_EQ(rows.Current(), 2);
    EXPECT_EQ(rows.RowRef(), "z");
    rows.Clear();
    EXPECT_EQ(rows.Count(), 0);
    EXPECT_EQ(rows.Current(), 0);
}

TEST(RowBuffer, ReadsViewsOfTheRowsOfItsStore)
{
    testing::RecordingObserver observer;
    RowBuffer rows(observer);
    text::RowStore store;
    store.Append("first");
    store.Append("second");
    rows.Assign(std::move(store));
    rows.SetRow(1);
    EXPECT_EQ(rows.RowRef(), "second");
    EXPECT_EQ(rows.RowView(0), "first");
    EXPECT_EQ(rows.RowView(2), "");
    EXPECT_EQ(rows.RowView(-1), "");
    EXPECT_EQ(testing::LinesOf(rows), (Lines{"first", "second"}));
}

} // namespace
} // namespace velmora::import
