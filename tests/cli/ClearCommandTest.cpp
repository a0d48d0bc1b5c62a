#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/CatalogueTestSupport.h"
#include "cli/CliRun.h"



using velmora::testing::ParsedStructuresBuilder;
using velmora::testing::RawCatalogue;
using velmora::testing::CatalogueFixture;
using velmora::testing::CliRun;
using velmora::testing::runCli;

namespace {

CliRun clear(const std::vector<std::string>& args = {})
{
    return runCli("clear", args);
}

velmora::import::ParsedStructures sample()
{
    return ParsedStructuresBuilder()
        .structure("DDCOLORKEY", "Key.")
        .member("DWORD", "dwLow", "Low.")
        .flag("F1", "One.")
        .flag("F2", "Two.")
        .member("DWORD", "dwHigh", "High.")
        .build();
}

TEST(ClearCommandTest, EmptiesTheThreeTablesKeepsFoundationClassesAndNeverReusesKeys)
{
    CatalogueFixture catalogue;
    const QString& path = catalogue.path();
    velmora::testing::saveIntoCatalogue(sample());

    const CliRun run = clear();
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "Cleared the catalogue: 1 structures, 2 members, 2 flags removed\n");
    {
        RawCatalogue raw(path);
        EXPECT_EQ(raw.rowCount(QStringLiteral("Structures")), 0);
        EXPECT_EQ(raw.rowCount(QStringLiteral("Structure_Members")), 0);
        EXPECT_EQ(raw.rowCount(QStringLiteral("Structure_Member_Flags")), 0);
        EXPECT_EQ(raw.rowCount(QStringLiteral("Foundation_Classes")), 7);
    }
    EXPECT_EQ(clear().code, 0);   // twice in a row is fine

    velmora::testing::saveIntoCatalogue(sample());
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Flag_Index, Structure_Index, Member_Index FROM Structure_Member_Flags")),
              QStringList({QStringLiteral("3|2|3"), QStringLiteral("4|2|3")}));
}

TEST(ClearCommandTest, AFailureOnAnyTableLeavesAllThreeAsTheyWere)
{
    CatalogueFixture catalogue;
    const QString& path = catalogue.path();
    velmora::testing::saveIntoCatalogue(sample());
    {
        RawCatalogue raw(path);
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TRIGGER keep_flags BEFORE DELETE ON Structure_Member_Flags "
                                            "BEGIN SELECT RAISE(ABORT, 'flags are protected'); END")));
    }
    const CliRun run = clear();
    EXPECT_EQ(run.code, 2);
    EXPECT_NE(run.err.find("flags are protected"), std::string::npos) << run.err;
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rowCount(QStringLiteral("Structures")), 1);
    EXPECT_EQ(raw.rowCount(QStringLiteral("Structure_Members")), 2);
    EXPECT_EQ(raw.rowCount(QStringLiteral("Structure_Member_Flags")), 2);

    EXPECT_EQ(clear({"--all"}).code, 2);
}

} // namespace
