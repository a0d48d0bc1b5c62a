#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "InterfacesTestRun.h"
#include "import/ImportSession.h"
#include "text/RowLoader.h"

namespace velmora::import {
namespace {

using testing::InterfacesRun;

const std::string kDataDir = std::string(VELMORA_TEST_DATA_DIR) + "/interfaces/";

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The trace as velmora-cli prints it: one line each, then the final status.
std::string Printed(const InterfacesRun& run)
{
    std::string text;
    for (const std::string& line : run.trace())
        text += line + "\n";
    return text + "status: " + run.observer.LastStatus() + "\n";
}

class InterfacesGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(InterfacesGolden, TraceMatchesTheRecordedOne)
{
    const std::string input = kDataDir + GetParam() + ".txt";
    const std::string expected = ReadText(kDataDir + GetParam() + ".trace");
    ASSERT_FALSE(expected.empty()) << "missing " << GetParam() << ".trace";

    InterfacesRun run(testing::LoadLines(input), input);
    EXPECT_EQ(Printed(run), expected);
    EXPECT_EQ(run.observer.caption, "Importing DirectX Interfaces.... debugging output");
}

// Through the dispatch the parser's lines follow the session's own: the type
// row and the row after it are traced again by the parser.
TEST_P(InterfacesGolden, ImportFileRunsTheParserAfterTheTypeRow)
{
    const std::string input = kDataDir + GetParam() + ".txt";
    const std::string expected = ReadText(kDataDir + GetParam() + ".trace");
    testing::RecordingObserver observer;
    ImportSession session(observer, nullptr);
    EXPECT_EQ(session.ImportFile(input), ImportOutcome::Succeeded);

    std::string printed;
    for (std::size_t n = 6; n < observer.trace.size(); ++n)
        printed += observer.trace[n] + "\n";
    EXPECT_EQ(printed + "status: " + observer.LastStatus() + "\n", expected);
    EXPECT_EQ(observer.trace.at(5), "Row #1: '" + std::string(session.Rows().RowView(1)) + "'");
    EXPECT_EQ(session.Interfaces().Interface_Names.size(), GetParam() == "worked_example" ? 1u : 2u);
}

INSTANTIATE_TEST_SUITE_P(Files, InterfacesGolden, ::testing::Values("worked_example", "two_interfaces"));

} // namespace
} // namespace velmora::import
