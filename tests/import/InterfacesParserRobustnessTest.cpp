#include <gtest/gtest.h>

#include "generators/InterfacesFileGenerator.h"
#include "InterfacesTestRun.h"

namespace velmora::import {
namespace {

using bench::InterfacesFileGenerator;
using testing::InterfacesRun;
using testing::RecordingObserver;
using Rows = std::vector<std::string>;

// Whatever the rows, a run ends either with the success line or with one of
// the two error reports, and the lists that are parallel stay parallel.
void ExpectWellFormedEnding(const InterfacesRun& run)
{
    const RecordingObserver& o = run.observer;
    ASSERT_FALSE(o.trace.empty());
    ASSERT_FALSE(o.statuses.empty());
    EXPECT_LE(run.rows.Current(), run.rows.Count() + 5);
    EXPECT_EQ(run.lists.Parameter_Types.size(), run.lists.Parameter_Names.size());
    EXPECT_EQ(run.lists.Flag_Names.size(), run.lists.Flag_Descriptions.size());
    // A shared row may name more parameters than are left, never fewer get described.
    EXPECT_GE(run.lists.Parameter_Descriptions.size(), run.lists.Parameter_Names.size());

    if (run.succeeded) {
        const std::string done = std::to_string(run.lists.Interface_Names.size()) + " Interfaces were imported SUCCESSFULLY!";
        EXPECT_EQ(o.trace.back(), done);
        EXPECT_EQ(o.LastStatus(), done);
        EXPECT_EQ(o.shows, 0);
        return;
    }
    EXPECT_EQ(o.shows, 1);
    if (o.trace.back().rfind("ERROR LINE: ", 0) == 0) {
        EXPECT_EQ(o.trace.back(), "ERROR LINE: " + std::string(run.rows.RowRef()));
        EXPECT_EQ(o.statuses.back(), (RecordingObserver::Status{"", false}));
        return;
    }
    const Rows tail = run.Tail(3);
    ASSERT_EQ(tail.size(), 3u);
    EXPECT_EQ(tail[0], "Error:");
    EXPECT_EQ(tail[2], "Error Line: " + std::string(run.rows.RowRef()));
    EXPECT_EQ(o.LastStatus(), "AN ERROR OCCURRED. Check debug output for details...");
}

TEST(InterfacesGeneratedFiles, ParseCompletely)
{
    for (std::size_t interfaces : {1u, 3u, 40u}) {
        const Rows rows = InterfacesFileGenerator::Rows(interfaces);
        ASSERT_EQ(rows.size(), 1 + interfaces * InterfacesFileGenerator::kRowsPerInterface);
        InterfacesRun run(rows);
        ASSERT_TRUE(run.succeeded) << run.trace().back();
        EXPECT_EQ(run.trace().back(), std::to_string(interfaces) + " Interfaces were imported SUCCESSFULLY!");
        const InterfaceLists& l = run.lists;
        EXPECT_EQ(l.Interface_Descriptions.size(), interfaces);
        EXPECT_EQ(l.Property_Names.size(), interfaces * InterfacesFileGenerator::kPropertyNames);
        EXPECT_EQ(l.Property_Descriptions.size(), interfaces * InterfacesFileGenerator::kParsedProperties);
        EXPECT_EQ(l.Property_Return_Values.size(), interfaces * InterfacesFileGenerator::kReturnValues);
        EXPECT_EQ(l.Parameter_Names.size(), interfaces * InterfacesFileGenerator::kParameters);
        EXPECT_EQ(l.Parameter_Descriptions.size(), interfaces * InterfacesFileGenerator::kParameters);
        EXPECT_EQ(l.Flag_Names.size(), interfaces * InterfacesFileGenerator::kFlags);
        ExpectWellFormedEnding(run);
    }
}

// Damaged versions of a valid file: cut short, a row dropped, a row doubled or
// a row swapped for one of the keywords. No damage may crash, hang or end
// without a report.
class InterfacesDamagedFiles : public ::testing::Test {
protected:
    const Rows valid = InterfacesFileGenerator::Rows(2);

    void Check(const Rows& rows, const std::string& what)
    {
        SCOPED_TRACE(what);
        InterfacesRun run(rows);
        ExpectWellFormedEnding(run);
    }
};

TEST_F(InterfacesDamagedFiles, CutShortAnywhere)
{
    for (std::size_t keep = 1; keep < valid.size(); ++keep)
        Check(Rows(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(keep)), "cut after " + std::to_string(keep));
}

TEST_F(InterfacesDamagedFiles, RowDroppedOrDoubled)
{
    for (std::size_t r = 1; r < valid.size(); ++r) {
        Rows dropped = valid;
        dropped.erase(dropped.begin() + static_cast<std::ptrdiff_t>(r));
        Check(dropped, "row dropped: " + std::to_string(r));
        Rows doubled = valid;
        doubled.insert(doubled.begin() + static_cast<std::ptrdiff_t>(r), valid[r]);
        Check(doubled, "row doubled: " + std::to_string(r));
    }
}

TEST_F(InterfacesDamagedFiles, RowReplacedByAKeyword)
{
    const Rows keywords = {"QuickInfo", "Remarks", "Parameters", "Return Values", ");", "HRESULT Broken(",
                           "IWidget0", "IWidget1::Draw", "WF_STRAY", "dwRed and dwGreen", "lpSurface, lpRect, and dwFlags",
                           "two words", "A"};
    for (std::size_t r = 1; r < valid.size(); ++r) {
        for (const std::string& keyword : keywords) {
            Rows changed = valid;
            changed[r] = keyword;
            Check(changed, "row " + std::to_string(r) + " -> " + keyword);
        }
    }
}

} // namespace
} // namespace velmora::import
