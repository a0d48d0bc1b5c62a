// Whole files through the import: golden traces of complete files, and one
// file for every error the structures import and the dispatch can report.
#include <gtest/gtest.h>

#include "import/ImportSession.h"
#include "support/RecordingObserver.h"
#include "import/StructuresTestSupport.h"

namespace velmora::import {
namespace {

using testing::RecordingObserver;
using testing::RecordingSaveTarget;
using testing::ReplaceAll;
using testing::StructuresDataPath;
using Lines = std::vector<std::string>;

std::string JoinLines(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

class GoldenTrace : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenTrace, TraceAndCaptionsMatchTheRecordedOnes)
{
    const std::string path = StructuresDataPath(std::string(GetParam()) + ".txt");
    const std::string expected = testing::ExpectedTrace(GetParam(), path);
    ASSERT_FALSE(expected.empty());

    RecordingObserver observer;
    RecordingSaveTarget save;
    ImportSession session(observer, &save);
    EXPECT_EQ(session.ImportFile(path), ImportOutcome::Succeeded);

    EXPECT_EQ(JoinLines(observer.trace), expected);
    EXPECT_EQ(observer.caption, "Importing DirectX data?Files.... debugging output");
    EXPECT_EQ(observer.clears, 1);
    EXPECT_EQ(observer.shows, 0);
    ASSERT_FALSE(observer.statuses.empty());
    EXPECT_EQ(observer.statuses.front(), (RecordingObserver::Status{"Importing file: '" + path + "'.... ", true}));
    EXPECT_EQ(observer.statuses.back(), (RecordingObserver::Status{"2 structures were imported SUCCESSFULLY!", true}));
    for (const auto& status : observer.statuses) EXPECT_TRUE(status.repaintNow) << status.caption;
    EXPECT_EQ(save.saved.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Files, GoldenTrace, ::testing::Values("pair_and_list", "union_and_flags", "extra_list_names"));

TEST(StructuresFile, CaptionsFollowStructuresMembersAndFlags)
{
    RecordingObserver observer;
    ImportSession session(observer, nullptr);
    ASSERT_EQ(session.ImportFile(StructuresDataPath("union_and_flags.txt")), ImportOutcome::Succeeded);
    Lines captions;
    for (const auto& status : observer.statuses) captions.push_back(status.caption);
    const Lines expectedStart{"Parsing Structure: 'DDSCAPS2'",
                              "Parsing Structure: 'DDSCAPS2':: Found Member:'DWORD  dwCaps'",
                              "Parsing Structure: 'DDSCAPS2':: Found Member:'DWORD  dwCaps2'",
                              "Parsing Structure: 'DDSCAPS2':: Found Member:'DWORD  dwCaps3'",
                              "Parsing Structure: 'DDSCAPS2':: Found Member:'LPVOID  lpVolumeDesc'",
                              "Parsing Structure: 'DDSCAPS2':: Found Member:'DWORD  dwCaps4'",
                              "Parsing Structure Member: 'DDSCAPS2::dwCaps'",
                              "Found Structure Member Flag: 'DDSCAPS2::dwCaps'::DDSCAPS_3DDEVICE Indicates that this "
                              "surface can be used for 3D rendering.",
                              "Found Structure Member Flag: 'DDSCAPS2::dwCaps'::DDSCAPS_ALPHA",
                              "Parsing Structure Member: 'DDSCAPS2::dwCaps2'",
                              "Found Structure Member Flag: 'DDSCAPS2::dwCaps2'::DDSCAPS2_CUBEMAP",
                              "Parsing Structure Member: 'DDSCAPS2::dwCaps4'",
                              "Parsing Structure: 'DDBLTFX'"};
    ASSERT_GT(captions.size(), expectedStart.size());
    EXPECT_EQ(Lines(captions.begin() + 1, captions.begin() + 1 + static_cast<long>(expectedStart.size())), expectedStart);
}

struct ErrorCase {
    const char* file;
    Lines tail;           // the last lines of the trace
    bool closingError;    // the variant report: empty caption without repaint
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.file; }

class ErrorFile : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ErrorFile, EndsWithTheReportAndSavesNothing)
{
    const ErrorCase& c = GetParam();
    const std::string path = StructuresDataPath(std::string("errors/") + c.file + ".txt");
    RecordingObserver observer;
    RecordingSaveTarget save;
    ImportSession session(observer, &save);
    EXPECT_EQ(session.ImportFile(path), ImportOutcome::Failed);

    Lines tail = c.tail;
    for (std::string& line : tail) line = ReplaceAll(line, "$FILE", path);
    ASSERT_GE(observer.trace.size(), tail.size());
    EXPECT_EQ(Lines(observer.trace.end() - static_cast<long>(tail.size()), observer.trace.end()), tail);
    EXPECT_EQ(observer.shows, 1);
    const RecordingObserver::Status expectedStatus =
        c.closingError ? RecordingObserver::Status{"", false}
                       : RecordingObserver::Status{"AN ERROR OCCURRED. Check debug output for details...", true};
    EXPECT_EQ(observer.statuses.back(), expectedStatus);
    EXPECT_TRUE(save.saved.empty());
}

const std::string kListError =
    "scanned all rows but did not find a structure name repeated after the 'Structures included in this file' block...";
const std::string kNoType = "There was no file type definition at the top of the file...";

INSTANTIATE_TEST_SUITE_P(
    Files, ErrorFile,
    ::testing::Values(
        ErrorCase{"no_type_row", {"Row #0: 'structures'", ">>> checking for 'Import File Type' definition (ie. Structures, Interfaces, etc. <<<", "Error:", kNoType, "Error Line: structures"}, false},
        ErrorCase{"blank_only", {"Importing file: '$FILE'.... ", ">>> checking for 'Import File Type' definition (ie. Structures, Interfaces, etc. <<<", "Error:", kNoType, "Error Line: "}, false},
        ErrorCase{"list_row_with_space", {"Row #2: 'DDBLTFX structure'", "checking row for a unique structure name", "Error:", kListError, "Error Line: DDBLTFX structure"}, false},
        ErrorCase{"list_never_repeats", {"found a valid structure name: 'DDRGBA'... adding to internal structures list", "Error:", kListError, "Error Line: "}, false},
        ErrorCase{"definitions_out_of_order", {"Checking structure name to make sure that a definition is following", "Error:", "Did not find the expected structure name: 'DDCOLORKEY'", "Error Line: DDRGBA"}, false},
        ErrorCase{"quickinfo_block_too_short", {">>> parsing structure definition #1 <<<", "Checking structure name to make sure that a definition is following", "Error:", "Did not find the expected structure name: 'DDRGBA'", "Error Line: The DDRGBA structure describes a color."}, false},
        ErrorCase{"description_on_two_rows", {"Row #4: 'a color key.'", "checking row for a 'struct' construct...", "Error:", "There is no starting point for the 'struct' definition for the object 'DDCOLORKEY'", "Error Line: a color key."}, false},
        ErrorCase{"declaration_never_ends", {"Row #7: 'DWORD dwColorSpaceHighValue;'", "found a structure member type: 'DWORD'", "found a structure member name: 'dwColorSpaceHighValue'", "Error:", "scanned all rows but did not find the end of the 'struct' declaration.", "Error Line: "}, false},
        ErrorCase{"union_closed_by_end_row", {"Found the end of the 'struct' code declaration.", "Row #8: 'DWORD dwColorSpaceHighValue;'", "expecting a 'Members' keyword... comparing...", "Error:", "Did not find the 'Members' keyword as expected.", "Error Line: DWORD dwColorSpaceHighValue;"}, false},
        ErrorCase{"quickinfo_before_members_done", {"parsing structure member #1", "Error:", "found a 'QuickInfo' section before all member descriptions were defined.", "Error Line: QuickInfo"}, false},
        ErrorCase{"remarks_before_members_done", {"parsing structure member #1", "Error:", "found a 'Remarks' section before all member descriptions were defined.", "Error Line: Remarks"}, false},
        ErrorCase{"flag_after_flag", {"found a flag rule immdediately following the member description.", "adding a member flag: 'DDCKEY_DESTBLT'", "Error:", "a flag was encountered followed immediately by another flag", "Error Line: DDCKEY_DESTBLT"}, false},
        ErrorCase{"flag_on_last_row", {"adding a member flag: 'DDCKEY_DESTBLT'", "Error:", "a flag was encountered followed immediately by another flag", "Error Line: DDCKEY_DESTBLT"}, false},
        ErrorCase{"last_member_name_mismatch", {"expecting member name: 'dwColorSpaceHighValue'... checking to make sure that row is a valid member name", "did not find a member name where expected... checking 'this and that' rules...", "Error:", "Expected but did not find a particular member name & description: 'DDCOLORKEY::dwColorSpaceHighValue'", "Error Line: dwColorSpaceHighValue (high end)"}, false},
        ErrorCase{"member_row_fits_no_rule", {"...checking 'this and that' rules", "the row did not fit the 'this and that' rule. Checking 'this, that, and something else' rule...", "Found the following member names when checking 'this, that, and something else' rule", "Error:", "Expected but did not find a particular member name & description: 'DDCOLORKEY::dwColorSpaceLowValue'", "Error Line: dwColorSpaceLowValue (low end)"}, false},
        ErrorCase{"list_row_without_members", {"inside IsThisAndThat():: this_string == 'dwRed, dwGreen,'", "inside IsThisAndThat():: that_string == 'dwBlue'", "the row did not fit the 'this and that' rule. Checking 'this, that, and something else' rule...", "Found the following member names when checking 'this, that, and something else' rule", "member #0=='dwRed'", "member #1=='dwGreen'", "member #2=='dwBlue'", "Error:", "Expected but did not find a particular member name & description: 'DDCOLORKEY::dwColorSpaceLowValue'", "Error Line: dwRed, dwGreen, and dwBlue"}, false},
        ErrorCase{"remarks_run_to_the_end", {"Row #12: 'Color keys...'", "Row #13: 'More remarks.'", "Could not parse the import file '$FILE'.\nFound a 'Remarks' section but did not find the 'QuickInfo' section following", "ERROR LINE: "}, true},
        ErrorCase{"no_quickinfo", {"Row #11: 'DDCKEY_COLORSPACE\tSet if the structure contains a color space.'", "Could not parse the import file '$FILE'.\nCould not find a 'QuickInfo' section", "ERROR LINE: DDCKEY_COLORSPACE\tSet if the structure contains a color space."}, true}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) { return std::string(info.param.file); });

} // namespace
} // namespace velmora::import
