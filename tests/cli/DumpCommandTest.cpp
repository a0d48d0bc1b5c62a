#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/CatalogueTestSupport.h"
#include "support/CliRun.h"



using velmora::testing::ParsedStructuresBuilder;
using velmora::testing::TempCatalogueEnv;
using velmora::testing::CliRun;
using velmora::testing::runCli;

namespace {

CliRun dump(const std::vector<std::string>& args = {})
{
    return runCli("dump", args);
}

class DumpTablesTest : public ::testing::TestWithParam<velmora::testing::Driver> {};

TEST_P(DumpTablesTest, PrintsEachTableWithAHeaderInKeyOrderAndEscapesAwkwardText)
{
    velmora::testing::CatalogueFixture catalogue(GetParam());
    velmora::testing::saveIntoCatalogue(ParsedStructuresBuilder()
                                            .structure("DDCOLORKEY", "A key\twith a tab, a back\\slash\nand a line break.")
                                            .member("DWORD", "dwLow", "Low.")
                                            .flag("DDCK_SRC 'quoted'", "Source.")
                                            .build());
    velmora::testing::saveIntoCatalogue(ParsedStructuresBuilder().structure("DDSIZE", "Size.").build(), 2);

    const CliRun structures = dump({"Structures"});
    EXPECT_EQ(structures.code, 0) << structures.err;
    EXPECT_EQ(structures.out,
              "Structure_Index\tFoundation_Class_Index\tStructure_Name\tStructure_Description\tBCB_Name\tBCB_Description\tConversion_Status\n"
              "1\t1\tDDCOLORKEY\tA key\\twith a tab, a back\\\\slash\\nand a line break.\tddcolorkey\t"
              "A key\\twith a tab, a back\\\\slash\\nand a line break.\t0\n"
              "2\t2\tDDSIZE\tSize.\tddsize\tSize.\t0\n");

    const CliRun all = dump();
    EXPECT_EQ(all.code, 0);
    EXPECT_EQ(all.out,
              structures.out + "\n" +
                  "Member_Index\tFoundation_Class_Index\tStructure_Index\tMember_Name\tMember_Type\tMember_Description\tBCB_Name\tBCB_Type\tBCB_Description\tConversion_Status\n"
                  "1\t1\t1\tdwLow\tDWORD\tLow.\tdwLow\t\tLow.\t0\n"
                  "\n"
                  "Flag_Index\tFoundation_Class_Index\tStructure_Index\tMember_Index\tFlag_Name\tFlag_Description\tBCB_Description\tConversion_Status\n"
                  "1\t1\t1\t1\tDDCK_SRC 'quoted'\tSource.\tSource.\t0\n");

    const std::string classes = "Foundation_Class_Index\tFoundation_Class_Name\n1\tDirectDraw\n2\tDirectSound\n";
    EXPECT_EQ(dump({"Foundation_Classes.DB"}).out.substr(0, classes.size()), classes);
}

INSTANTIATE_TEST_SUITE_P(Drivers, DumpTablesTest,
                         ::testing::Values(velmora::testing::Driver::Embedded, velmora::testing::Driver::Postgres),
                         [](const auto& info) { return std::string(velmora::testing::driverName(info.param)); });

TEST(DumpCommandTest, UnknownTablesAndMissingCataloguesExitWithTwo)
{
    TempCatalogueEnv env;
    CliRun run = dump({"Interfaces"});
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("TABLE is one of"), std::string::npos);
    EXPECT_EQ(dump({"Structures", "Structure_Members"}).code, 2);

    run = dump();
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("velmora-cli init"), std::string::npos) << run.err;
}

} // namespace
