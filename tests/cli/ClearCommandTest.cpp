#include <gtest/gtest.h>

#include <sstream>

#include "catalogue/CatalogueTestSupport.h"
#include "support/CliRun.h"



using velmora::testing::ParsedStructuresBuilder;
using velmora::testing::RawCatalogue;
using velmora::testing::CatalogueFixture;
using velmora::testing::CliRun;
using velmora::testing::runCli;

namespace {

CliRun clear(const std::vector<std::string>& args = {"--yes"})
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

// clear without --yes: the question on a terminal, the refusal without one.
TEST(ClearCommandTest, AsksOnATerminalAndRefusesWithoutOne)
{
    CatalogueFixture catalogue;
    velmora::testing::saveIntoCatalogue(sample());
    const std::string question = "Empty the catalogue " + catalogue.path().toStdString() +
                                 " with its 1 structures, 2 members and 2 flags? [y/N] ";
    struct Case {
        bool terminal;
        std::string answer;
        int code;
        std::string err;
        int structuresLeft;
    };
    const std::vector<Case> cases{
        {true, "n\n", 1, question + "Nothing was cleared\n", 1},
        {true, "", 1, question + "Nothing was cleared\n", 1},
        {false, "y\n", 2,
         "velmora-cli clear: standard input is no terminal to ask on, and clearing removes data for good; "
         "'velmora-cli clear --yes' empties the catalogue " + catalogue.path().toStdString() +
             " with its 1 structures, 2 members and 2 flags\n",
         1},
        {true, "Y\n", 0, question, 0},
    };
    for (const Case& c : cases) {
        std::istringstream in(c.answer);
        std::ostringstream out, err;
        velmora::cli::CommandLine commandLine;
        commandLine.setInputIsTerminal(c.terminal);
        EXPECT_EQ(commandLine.run({QStringLiteral("clear")}, in, out, err), c.code) << c.answer;
        EXPECT_EQ(err.str(), c.err);
        EXPECT_EQ(catalogue.rowCount(QStringLiteral("Structures")), c.structuresLeft) << c.answer;
    }
}

} // namespace
