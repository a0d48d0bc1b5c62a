#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "import/ImportErrorReport.h"
#include "import/ImportSession.h"
#include "import/StructuresTestSupport.h"
#include "support/RecordingObserver.h"
#include "support/RowLines.h"
#include "text/RowLoader.h"

namespace velmora::import {
namespace {

using testing::RecordingObserver;
using Lines = std::vector<std::string>;

class ImportSessionFile : public ::testing::Test {
protected:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                  (std::string("velmora_session_") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    void TearDown() override { std::filesystem::remove(path_); }

    RecordingObserver observer_;
    ImportSession session_{observer_, nullptr};
};

TEST_F(ImportSessionFile, OnlyAnExactFirstRowNamesTheFileType)
{
    const std::string dispatchLine =
        ">>> checking for 'Import File Type' definition (ie. Structures, Interfaces, etc. <<<";
    for (const std::string firstRow : {"structures", "Structures:", "Structures included in this file", "STRUCTURES"}) {
        Write(firstRow + "\nDDCOLORKEY\n");
        EXPECT_EQ(session_.ImportFile(path_.string()), ImportOutcome::Failed);
        EXPECT_EQ(observer_.trace, (Lines{"Importing file: '" + path_.string() + "'.... ", "Row #0: '" + firstRow + "'",
                                          dispatchLine, "Error:",
                                          "There was no file type definition at the top of the file...",
                                          "Error Line: " + firstRow}));
        EXPECT_EQ(observer_.LastStatus(), kImportErrorCaption);
    }
    EXPECT_EQ(observer_.clears, 4);
    EXPECT_EQ(observer_.shows, 4);
}

TEST_F(ImportSessionFile, ATypeRowAfterBlankLinesAndWithBlanksAroundItCounts)
{
    Write("\r\n   \r\n\t Structures  \r\nS\r\n");
    EXPECT_EQ(session_.ImportFile(path_.string()), ImportOutcome::Failed);  // the list never repeats
    ASSERT_GE(observer_.trace.size(), 6u);
    EXPECT_EQ(observer_.trace[1], "Row #0: 'Structures'");
    EXPECT_EQ(observer_.trace[3], "Found the 'Import File Type' keyword...");
    EXPECT_EQ(observer_.trace[4],
              "... '" + path_.string() + "' may be a 'Structures' definition file.... attempting to parse...");
    EXPECT_EQ(observer_.trace[5], "Row #1: 'S'");
}

TEST_F(ImportSessionFile, AnInterfacesFileGoesToTheInterfacesParser)
{
    Write("Interfaces\n");
    session_.ImportFile(path_.string());
    ASSERT_GE(observer_.trace.size(), 5u);
    EXPECT_EQ(observer_.trace[3], "Found the 'Import File Type' keyword...");
    EXPECT_EQ(observer_.trace[4],
              "... '" + path_.string() + "' may be a 'Interfaces' definition file.... attempting to parse...");
    EXPECT_EQ(std::count(observer_.trace.begin(), observer_.trace.end(),
                         ">>> determining the various structures included in this file <<<"),
              0);
}

TEST_F(ImportSessionFile, AnUnreadableFileIsAnErrorAfterTheTraceWasReset)
{
    Write("Structures\n");
    observer_.trace = {"left from an earlier import"};
    session_.ImportFile(path_.string());
    std::filesystem::remove(path_);

    EXPECT_THROW(session_.ImportFile(path_.string()), text::ImportFileError);
    EXPECT_EQ(observer_.caption, "Importing DirectX data?Files.... debugging output");
    EXPECT_TRUE(observer_.trace.empty());
    EXPECT_EQ(session_.Rows().Count(), 0);
}

TEST_F(ImportSessionFile, EachImportStartsAfresh)
{
    Write("Nothing\n");
    session_.ImportFile(path_.string());
    const Lines first = observer_.trace;
    session_.ImportFile(path_.string());
    EXPECT_EQ(observer_.trace, first);
    EXPECT_EQ(testing::LinesOf(session_.Rows()), (Lines{"Nothing"}));
    EXPECT_EQ(session_.Rows().Current(), 0);
}

} // namespace
} // namespace velmora::import
