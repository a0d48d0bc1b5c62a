#include <gtest/gtest.h>

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Clearing.h"
#include "catalogue/Lookups.h"
#include "catalogue/Query.h"
#include "support/CatalogueFixture.h"

namespace velmora::catalogue {
namespace {

// Every lookup behaves the same on the embedded file and on the server.
class LookupsTest : public ::testing::TestWithParam<testing::Driver> {
protected:
    void SetUp() override { tables.database.setConnected(true); }

    testing::CatalogueFixture cat{GetParam()};
    CatalogueTables tables;
    Query query{tables.database};
    Lookups lookups{query};
    int directDraw = cat.foundationClass(QStringLiteral("DirectDraw"));
    int directSound = cat.foundationClass(QStringLiteral("DirectSound"));
};

TEST_P(LookupsTest, FoundationClassFollowsThePageCaption)
{
    ASSERT_NE(directDraw, 0);
    EXPECT_EQ(lookups.foundationClass(QStringLiteral("DirectDraw")), directDraw);
    EXPECT_EQ(lookups.foundationClass(QStringLiteral("Direct3D Retained Mode")),
              cat.foundationClass(QStringLiteral("Direct3D Retained Mode")));
    EXPECT_EQ(lookups.foundationClass(QStringLiteral("Structures")), 0);
    EXPECT_FALSE(query.active());
}

TEST_P(LookupsTest, NamesWithQuotesAreFoundLikeAnyOther)
{
    const int s = cat.addStructure(QStringLiteral("DDSURFACEDESC"));
    const int m = cat.addMember(s, QStringLiteral("dwFlags"));
    cat.addFlag(m, QStringLiteral("DDSD_ALL"));
    const QString quoted = QStringLiteral("DDSD_CAPS Indicates that the ddsCaps member is valid, it's 'set'.");
    const int f = cat.addFlag(m, quoted);

    EXPECT_EQ(lookups.flag(quoted, m), f);
    EXPECT_EQ(lookups.flag(QStringLiteral("x' or '1'='1"), m), 0);
    EXPECT_FALSE(query.active());
}

TEST_P(LookupsTest, EachLookupSearchesOnlyItsParentsRows)
{
    const int first = cat.addStructure(QStringLiteral("DDCAPS"));
    const int second = cat.addStructure(QStringLiteral("DDBLTFX"));
    const int soundCopy = cat.addStructure(QStringLiteral("DDBLTFX"), {}, {}, 0, directSound);
    const int firstSize = cat.addMember(first, QStringLiteral("dwSize"));
    const int secondSize = cat.addMember(second, QStringLiteral("dwSize"));
    const int firstFlag = cat.addFlag(firstSize, QStringLiteral("DDFLAG"));
    const int secondFlag = cat.addFlag(secondSize, QStringLiteral("DDFLAG"));

    EXPECT_EQ(lookups.member(QStringLiteral("dwSize"), second), secondSize);
    EXPECT_EQ(lookups.member(QStringLiteral("dwSize"), first), firstSize);
    EXPECT_EQ(lookups.flag(QStringLiteral("DDFLAG"), secondSize), secondFlag);
    EXPECT_EQ(lookups.flag(QStringLiteral("DDFLAG"), firstSize), firstFlag);
    EXPECT_EQ(lookups.structure(QStringLiteral("DDBLTFX"), directSound), soundCopy);
    EXPECT_EQ(lookups.structure(QStringLiteral("DDBLTFX"), directDraw), second);
    // Outside the scope the name is unknown.
    EXPECT_EQ(lookups.structure(QStringLiteral("DDCAPS"), directSound), 0);
    EXPECT_EQ(lookups.member(QStringLiteral("dwSize"), soundCopy), 0);
}

TEST_P(LookupsTest, AmongEqualNamesTheLowestNumberWins)
{
    const int older = cat.addStructure(QStringLiteral("DDPIXELFORMAT"));
    cat.addStructure(QStringLiteral("DDPIXELFORMAT"));
    const int olderMember = cat.addMember(older, QStringLiteral("dwRGBBitCount"));
    cat.addMember(older, QStringLiteral("dwRGBBitCount"));

    EXPECT_EQ(lookups.structure(QStringLiteral("DDPIXELFORMAT"), directDraw), older);
    EXPECT_EQ(lookups.member(QStringLiteral("dwRGBBitCount"), older), olderMember);
    EXPECT_EQ(lookups.structure(QStringLiteral("ddpixelformat"), directDraw), 0);   // case counts
}

TEST_P(LookupsTest, PositioningLandsOnTheNumberOrTheFirstRowForZero)
{
    // Ordered by name against the order of the numbers: a seek by number must
    // first put the table in number order.
    const int c = cat.addStructure(QStringLiteral("C"));
    const int b = cat.addStructure(QStringLiteral("B"));
    cat.addStructure(QStringLiteral("A"));
    Table& structures = tables.structures;
    structures.setIndexFieldNames(QStringLiteral("Structure_Name"));
    structures.open();

    positionOnNumber(structures, b);
    EXPECT_EQ(structures.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("B"));

    positionOnNumber(structures, 0);   // what a failed lookup gives
    EXPECT_EQ(structures.fieldAsInteger(QStringLiteral("Structure_Index")), c);
}

TEST_P(LookupsTest, PositioningDropsAnUnpostedChange)
{
    const int s = cat.addStructure(QStringLiteral("DDCOLORKEY"), QStringLiteral("TDDColorKey"));
    Table& structures = tables.structures;
    structures.open();
    structures.edit();
    structures.setField(QStringLiteral("BCB_Name"), QStringLiteral("Changed"));

    positionOnNumber(structures, s);
    EXPECT_EQ(structures.state(), Table::State::Browse);
    EXPECT_FALSE(structures.modified());
    EXPECT_EQ(structures.fieldAsString(QStringLiteral("BCB_Name")), QStringLiteral("TDDColorKey"));
}

TEST_P(LookupsTest, ClearingEmptiesTheThreeTablesAndKeepsTheFoundationClasses)
{
    const int s = cat.addStructure(QStringLiteral("DDCAPS"));
    cat.addFlag(cat.addMember(s, QStringLiteral("dwCaps")), QStringLiteral("DDCAPS_BLT"));
    const int classes = cat.rowCount(names::FoundationClassesTable);
    Table& structures = tables.structures;
    Table& members = tables.members;
    Table& flags = tables.flags;
    structures.open();
    members.open();
    flags.open();

    for (int round = 0; round < 2; ++round) {
        clearCatalogueTables(tables.database, structures, members, flags);
        EXPECT_EQ(cat.rowCount(names::StructuresTable), 0);
        EXPECT_EQ(cat.rowCount(names::MembersTable), 0);
        EXPECT_EQ(cat.rowCount(names::FlagsTable), 0);
        EXPECT_EQ(cat.rowCount(names::FoundationClassesTable), classes);
        for (Table* t : {&structures, &members, &flags}) {
            EXPECT_EQ(t->state(), Table::State::Browse);
            EXPECT_TRUE(t->isEmpty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Drivers, LookupsTest, ::testing::Values(testing::Driver::Embedded, testing::Driver::Postgres),
                         [](const auto& info) { return std::string(testing::driverName(info.param)); });

} // namespace
} // namespace velmora::catalogue
