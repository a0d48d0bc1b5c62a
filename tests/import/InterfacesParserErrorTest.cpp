#include <gtest/gtest.h>

#include "InterfacesTestRun.h"

namespace velmora::import {
namespace {

using testing::InterfacesFile;
using testing::InterfacesRun;
using Rows = std::vector<std::string>;

Rows operator+(Rows a, const Rows& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// An interface with one property, up to its heading and description.
const Rows kWidgetReset = {"IWidget", "IWidget", "Applications use the IWidget interface.", "Reset", "IWidget::Reset",
                           "The IWidget::Reset method resets the widget."};
// ... and a prototype with one parameter, up to where its description is expected.
const Rows kResetWithFlags = kWidgetReset + Rows{"HRESULT Reset(", "DWORD dwFlags", ");", "Parameters"};
// ... with two parameters.
const Rows kResetWithTwo = kWidgetReset + Rows{"HRESULT Reset(", "DWORD dwA,", "DWORD dwB", ");", "Parameters"};

const std::string kListError =
    "scanned all rows but did not find a Interface name repeated after the 'Interface included in this file' block...";
const std::string kFlagError = "a flag was encountered followed immediately by another flag with no descriptions !";

struct ErrorCase {
    const char* name;
    Rows rows;           // after the type row
    std::string message;
    std::string errorLine;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class InterfacesParserErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(InterfacesParserErrors, EndWithTheErrorReport)
{
    const ErrorCase& c = GetParam();
    InterfacesRun run(InterfacesFile(c.rows));

    EXPECT_FALSE(run.succeeded);
    EXPECT_EQ(run.Tail(3), (Rows{"Error:", c.message, "Error Line: " + c.errorLine}));
    EXPECT_EQ(run.observer.shows, 1);
    ASSERT_FALSE(run.observer.statuses.empty());
    EXPECT_EQ(run.observer.statuses.back().caption, "AN ERROR OCCURRED. Check debug output for details...");
    EXPECT_TRUE(run.observer.statuses.back().repaintNow);
    EXPECT_FALSE(run.Traced("1 Interfaces were imported SUCCESSFULLY!"));
}

INSTANTIATE_TEST_SUITE_P(
    Layout, InterfacesParserErrors,
    ::testing::Values(
        ErrorCase{"ListRowWithSpace", {"IWidget interface"}, kListError, "IWidget interface"},
        ErrorCase{"ListNeverRepeats", {"IWidget", "IGadget"}, kListError, ""},
        ErrorCase{"NothingAfterTypeRow", {}, kListError, ""},
        ErrorCase{"SecondInterfaceNameMissing",
                  {"IWidget", "IGadget", "IWidget", "Draws widgets.", "AddRef", "QueryInterface", "Release",
                   "IWidget::AddRef"},
                  "Did not find the expected Interface name: 'IGadget'", "IWidget::AddRef"},
        ErrorCase{"PropertyListRowWithSpace",
                  {"IWidget", "IWidget", "Draws widgets.", "Add Ref"},
                  "property list not found for 'IWidget'", "Add Ref"},
        ErrorCase{"HeadingWithoutColons",
                  {"IWidget", "IWidget", "Draws widgets.", "Reset", "Draw", "IWidget::Reset", "Resets the widget.",
                   "HRESULT Reset();", "Draws the widget."},
                  "Did not find the '::' keyword as expected.", "Draws the widget."},
        ErrorCase{"DescriptionWithoutSpace",
                  {"IWidget", "IWidget", "Draws widgets.", "Reset", "IWidget::Reset", "Resets"},
                  "Did not find Property Description as expected.", "Resets"},
        ErrorCase{"PrototypeWithoutParenthesis", kWidgetReset + Rows{"HRESULT Reset"},
                  "Did not find PropertyReturnType line as expected", "HRESULT Reset"},
        ErrorCase{"PropertyListRunsToTheEnd",
                  {"IWidget", "IWidget", "Draws widgets.", "AddRef", "Reset"},
                  "scanned all rows but did not find the end of the properties list for 'IWidget'", ""},
        ErrorCase{"ColonRowWithSpaceDoesNotEndPropertyList",
                  {"IWidget", "IWidget", "Draws widgets.", "AddRef", "IWidget::Reset method"},
                  "scanned all rows but did not find the end of the properties list for 'IWidget'", ""},
        ErrorCase{"ParameterRowsRunToTheEnd", kWidgetReset + Rows{"HRESULT Reset(", "DWORD dwFlags"},
                  "scanned all rows but did not find the ');' that ends the prototype", ""},
        ErrorCase{"PrototypeIsLastRow", kWidgetReset + Rows{"HRESULT Reset("},
                  "scanned all rows but did not find the ');' that ends the prototype", ""},
        ErrorCase{"QuickInfoBeforeFirstParameter", kResetWithFlags + Rows{"QuickInfo"},
                  "found a 'QuickInfo' section before all parameter descriptions were defined.", "QuickInfo"},
        ErrorCase{"QuickInfoBeforeSecondParameter", kResetWithTwo + Rows{"dwA", "The first one.", "QuickInfo"},
                  "found a 'QuickInfo' section before all parameter descriptions were defined.", "QuickInfo"},
        ErrorCase{"RemarksBeforeFirstParameter", kResetWithFlags + Rows{"Remarks"},
                  "found a 'Remarks' section before all parameter descriptions were defined.", "Remarks"},
        ErrorCase{"FlagFollowedByFlag", kResetWithFlags + Rows{"dwFlags", "Reset flags.", "WF_FAST", "WF_SLOW"},
                  kFlagError, "WF_FAST"},
        ErrorCase{"FlagOnLastRow", kResetWithFlags + Rows{"dwFlags", "Reset flags.", "WF_FAST"}, kFlagError,
                  "WF_FAST"},
        // Past the end the empty row counts as a flag row without a description.
        ErrorCase{"DescriptionOnLastRow", kResetWithFlags + Rows{"dwFlags", "Reset flags."}, kFlagError, ""},
        ErrorCase{"LastParameterNotNamed", kResetWithFlags + Rows{"dwMode", "The mode."},
                  "Expected but did not find a particular parameter name & description: 'IWidget::dwFlags'", "dwMode"},
        ErrorCase{"SecondParameterNotNamed", kResetWithTwo + Rows{"dwA", "The first one.", "dwC", "The third."},
                  "Expected but did not find a particular parameter name & description: 'IWidget::dwB'", "dwC"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InterfacesParserErrorTrace, LastParameterIsNotTriedAgainstTheMultiNameRules)
{
    InterfacesRun run(InterfacesFile(kResetWithFlags + Rows{"dwFlags and dwMode", "Both."}));
    EXPECT_EQ(run.Tail(5), (Rows{"expecting parameter name: 'dwFlags'... checking to make sure that row is a valid "
                                 "parameter name",
                                 "did not find a parameter name where expected... checking 'this and that' rules...",
                                 "Error:",
                                 "Expected but did not find a particular parameter name & description: "
                                 "'IWidget::dwFlags'",
                                 "Error Line: dwFlags and dwMode"}));
}

TEST(InterfacesParserErrorTrace, FailedMultiNameRowListsTheNamesItFound)
{
    InterfacesRun run(InterfacesFile(kResetWithTwo + Rows{"dwX, dwY, and dwZ", "All three."}));
    EXPECT_EQ(run.Tail(12),
              (Rows{"did not find a parameter name where expected... checking 'this and that' rules...",
                    "...checking 'this and that' rules",
                    "inside IsThisAndThat():: this_string == 'dwX, dwY,'",
                    "inside IsThisAndThat():: that_string == 'dwZ'",
                    "the row did not fit the 'this and that' rule. Checking 'this, that, and something else' rule...",
                    "Found the following parameter names when checking 'this, that, and something else' rule",
                    "parameter #0=='dwX'", "parameter #1=='dwY'", "parameter #2=='dwZ'", "Error:",
                    "Expected but did not find a particular parameter name & description: 'IWidget::dwA'",
                    "Error Line: dwX, dwY, and dwZ"}));
}

TEST(InterfacesParserErrorTrace, RemarksRunningToTheEndHaveTheirOwnReport)
{
    InterfacesRun run(InterfacesFile(kWidgetReset + Rows{"HRESULT Reset();", "Remarks", "Some remark.", "More."}),
                      "/data/widgets.txt");
    EXPECT_FALSE(run.succeeded);
    EXPECT_EQ(run.Tail(3), (Rows{"Row #10: 'More.'",
                                 "Could not parse the import file '/data/widgets.txt'.\nFound a 'Remarks' section but "
                                 "did not find the 'QuickInfo' section following",
                                 "ERROR LINE: "}));
    EXPECT_FALSE(run.Traced("Error:"));
    EXPECT_EQ(run.observer.shows, 1);
    ASSERT_FALSE(run.observer.statuses.empty());
    EXPECT_EQ(run.observer.statuses.back(), (testing::RecordingObserver::Status{"", false}));
}

} // namespace
} // namespace velmora::import
