#include <gtest/gtest.h>

#include "InterfacesTestRun.h"
#include "text/RowLoader.h"

namespace velmora::import {
namespace {

using testing::InterfacesFile;
using testing::InterfacesRun;
using Rows = std::vector<std::string>;

const std::string kDataDir = std::string(VELMORA_TEST_DATA_DIR) + "/interfaces/";

Rows operator+(Rows a, const Rows& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Rows kWidgetReset = {"IWidget", "IWidget", "Applications use the IWidget interface.", "Reset", "IWidget::Reset",
                           "The IWidget::Reset method resets the widget."};

TEST(InterfacesParserLists, WorkedExampleFillsEveryList)
{
    InterfacesRun run(testing::LoadLines(kDataDir + "worked_example.txt"));
    ASSERT_TRUE(run.succeeded);
    const InterfaceLists& l = run.lists;
    EXPECT_EQ(l.Interface_Names, Rows{"IWidget"});
    EXPECT_EQ(l.Interface_Descriptions, Rows{"Applications use the IWidget interface to draw widgets."});
    EXPECT_EQ(l.Property_Names, (Rows{"AddRef", "Reset"}));
    EXPECT_EQ(l.Property_Descriptions, Rows{"The IWidget::Reset method resets the widget."});
    EXPECT_EQ(l.Property_Return_Types, Rows{"HRESULT "});
    EXPECT_EQ(l.Property_Return_Values, Rows{"If the method succeeds, the return value is zero."});
    EXPECT_EQ(l.Parameter_Types, Rows{"DWORD"});
    EXPECT_EQ(l.Parameter_Type_Modifiers, Rows{});
    EXPECT_EQ(l.Parameter_Names, Rows{"dwFlags"});
    EXPECT_EQ(l.Parameter_Descriptions, Rows{"::[InterfaceIndex,0]::Flags that control the reset."});
    EXPECT_EQ(l.Flag_Names, Rows{"WF_FAST"});
    EXPECT_EQ(l.Flag_Descriptions, Rows{"::[FlagInterfaceIndex,0]::::[FlagParameterIndex,0]::Makes it faster."});

    using Status = testing::RecordingObserver::Status;
    EXPECT_EQ(run.observer.statuses, (std::vector<Status>{{"Parsing Interface: 'IWidget'", true},
                                                          {"Parsing Interface Parameter: 'IWidget::dwFlags'", true},
                                                          {"Found Interface Parameter Flag: 'IWidget::dwFlags'::WF_FAST", true},
                                                          {"1 Interfaces were imported SUCCESSFULLY!", true}}));
    EXPECT_EQ(run.observer.shows, 0);
}

TEST(InterfacesParserLists, TagsCountParametersAcrossTheInterfacesProperties)
{
    InterfacesRun run(testing::LoadLines(kDataDir + "two_interfaces.txt"));
    ASSERT_TRUE(run.succeeded);
    const InterfaceLists& l = run.lists;
    EXPECT_EQ(l.Property_Names,
              (Rows{"AddRef", "Draw", "GetSize", "QueryInterface", "Release", "AddRef", "Attach", "Detach", "Release"}));
    EXPECT_EQ(l.Property_Return_Types, Rows(4, "HRESULT "));
    EXPECT_EQ(l.Property_Return_Values.size(), 5u);
    EXPECT_EQ(l.Parameter_Names,
              (Rows{"lpSurface", "lpRect", "lpdwFlags", "lpdwWidth", "lpdwHeight", "dwRed", "dwGreen", "dwBlue"}));
    EXPECT_EQ(l.Parameter_Types,
              (Rows{"LPSURFACE", "LPRECT", "DWORD", "LPDWORD", "LPDWORD", "DWORD", "DWORD", "DWORD"}));
    EXPECT_EQ(l.Parameter_Type_Modifiers, (Rows{"FAR *", "*"}));
    const std::string shared0 = "::[InterfaceIndex,0]::Addresses of the values that receive the width and height.";
    const std::string shared1 = "::[InterfaceIndex,1]::The colour parts to give back.";
    EXPECT_EQ(l.Parameter_Descriptions,
              (Rows{"::[InterfaceIndex,0]::Address of the surface to draw on.",
                    "::[InterfaceIndex,0]::Address of the rectangle, or NULL for the whole surface.",
                    "::[InterfaceIndex,0]::Flags that control the drawing.", shared0, shared0, shared1, shared1,
                    shared1}));
    EXPECT_EQ(l.Flag_Names, (Rows{"WF_WAIT     Waits until the surface is free.", "WF_NOCLIP"}));
    EXPECT_EQ(l.Flag_Descriptions,
              (Rows{"::[FlagInterfaceIndex,0]::::[FlagParameterIndex,2]::Waits until the surface is free.",
                    "::[FlagInterfaceIndex,0]::::[FlagParameterIndex,2]::Draws outside the rectangle too."}));
}

TEST(InterfacesParserLists, EveryRunStartsFromEmptyLists)
{
    testing::RecordingObserver observer;
    RowBuffer rows(observer);
    InterfaceLists lists;
    for (auto* list : {&lists.Interface_Names, &lists.Interface_Descriptions, &lists.Property_Names,
                       &lists.Property_Descriptions, &lists.Property_Return_Types, &lists.Property_Return_Values,
                       &lists.Parameter_Types, &lists.Parameter_Type_Modifiers, &lists.Parameter_Names,
                       &lists.Flag_Names, &lists.Flag_Descriptions})
        list->push_back("left over");
    lists.Parameter_Descriptions.push_back("left over");
    rows.Assign(text::LoadRowStore(kDataDir + "worked_example.txt"));
    rows.SetRow(1);

    ASSERT_TRUE(InterfacesParser(rows, observer, lists).ImportInterfaces("x.txt"));
    InterfacesRun fresh(testing::LoadLines(kDataDir + "worked_example.txt"));
    EXPECT_EQ(lists.Interface_Names, fresh.lists.Interface_Names);
    EXPECT_EQ(lists.Property_Names, fresh.lists.Property_Names);
    EXPECT_EQ(lists.Parameter_Type_Modifiers, Rows{});
    EXPECT_EQ(lists.Flag_Names, fresh.lists.Flag_Names);
    EXPECT_EQ(lists.Flag_Descriptions, fresh.lists.Flag_Descriptions);
}

TEST(InterfacesParserLists, FailureDropsOnlyTheParametersOfTheInterfaceInProgress)
{
    const Rows rows = {"IWidget", "IGadget", "IWidget", "Draws widgets.", "Reset", "IWidget::Reset",
                       "The IWidget::Reset method resets the widget.", "HRESULT Reset(", "DWORD dwFlags", ");",
                       "dwFlags", "Reset flags.", "WF_FAST Quickly.", "IGadget", "Gadgets attach to widgets.", "Attach",
                       "IGadget::Attach", "The IGadget::Attach method attaches it.", "HRESULT Attach(",
                       "LPWIDGET *lpWidget", ");", "lpWidget", "The widget.", "WG_FIRST", "WG_LAST"};
    InterfacesRun run(InterfacesFile(rows));
    ASSERT_FALSE(run.succeeded);
    const InterfaceLists& l = run.lists;
    EXPECT_EQ(l.Interface_Descriptions, (Rows{"Draws widgets.", "Gadgets attach to widgets."}));
    EXPECT_EQ(l.Property_Descriptions.size(), 2u);
    EXPECT_EQ(l.Parameter_Names, Rows{"dwFlags"});
    EXPECT_EQ(l.Parameter_Types, Rows{"DWORD"});
    EXPECT_EQ(l.Parameter_Type_Modifiers, Rows{});
    EXPECT_EQ(l.Parameter_Descriptions, Rows{"::[InterfaceIndex,0]::Reset flags."});
    EXPECT_EQ(l.Flag_Names, Rows{"WF_FAST Quickly."});
    EXPECT_EQ(l.Flag_Descriptions, Rows{"::[FlagInterfaceIndex,0]::::[FlagParameterIndex,0]::Quickly."});
}

TEST(InterfacesParserLists, RowAfterDescriptionWithoutLowercaseFirstWordIsAFlag)
{
    InterfacesRun run(InterfacesFile(kWidgetReset + Rows{"HRESULT Reset(", "LPVOID lpValue", ");", "lpValue",
                                                         "The value.", "A pointer to the value.",
                                                         "Return Values", "S_OK."}));
    ASSERT_TRUE(run.succeeded);
    EXPECT_EQ(run.lists.Flag_Names, Rows{"A pointer to the value."});
    EXPECT_EQ(run.lists.Flag_Descriptions,
              Rows{"::[FlagInterfaceIndex,0]::::[FlagParameterIndex,0]::pointer to the value."});
}

TEST(InterfacesParserLists, ParameterOnTheClosingRowIsNotTakenApart)
{
    InterfacesRun run(InterfacesFile(
        Rows{"IWidget", "IWidget", "Draws widgets.", "SetMode", "IWidget::SetMode", "Sets the mode.",
             "HRESULT SetMode(", "DWORD dwWidth,", "DWORD dwHeight);", "Parameters", "dwWidth", "The width.",
             "Return Values", "S_OK."}));
    ASSERT_TRUE(run.succeeded);
    EXPECT_EQ(run.lists.Parameter_Names, Rows{"dwWidth"});
    EXPECT_EQ(run.lists.Parameter_Descriptions, Rows{"::[InterfaceIndex,0]::The width."});
}

TEST(InterfacesParserLists, SharedDescriptionRowAdvancesByTheNamesItCarries)
{
    InterfacesRun run(InterfacesFile(kWidgetReset + Rows{"HRESULT Reset(", "DWORD dwRed,", "DWORD dwGreen,",
                                                         "DWORD dwBlue,", "DWORD dwAlpha", ");",
                                                         "dwRed, dwGreen, and dwBlue", "Colours.", "dwAlpha", "Alpha.",
                                                         "Return Values", "S_OK."}));
    ASSERT_TRUE(run.succeeded);
    const std::string colours = "::[InterfaceIndex,0]::Colours.";
    EXPECT_EQ(run.lists.Parameter_Descriptions, (Rows{colours, colours, colours, "::[InterfaceIndex,0]::Alpha."}));
    EXPECT_FALSE(run.Traced("parsing Property parameter  #1"));
    EXPECT_TRUE(run.Traced("parsing Property parameter  #3"));
}

} // namespace
} // namespace velmora::import
