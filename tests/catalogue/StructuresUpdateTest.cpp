// import --update's save: a table of files imported over what the catalogue
// holds, on both drivers, each checked against the rows it must leave.
#include <gtest/gtest.h>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTestSupport.h"
#include "importsave/CatalogueStructuresUpdater.h"
#include "support/RecordingObserver.h"

namespace velmora::importsave {
namespace {

using import::ParsedStructures;
using testing::CatalogueFixture;
using testing::Driver;
using testing::ParsedStructuresBuilder;

// One structure, two members, two flags under the first member.
ParsedStructuresBuilder colorKey(const std::string& description = "Key.", const std::string& high = "High.",
                                 const std::string& secondFlag = "F2 two")
{
    ParsedStructuresBuilder file;
    file.structure("DDCOLORKEY", description).member("DWORD", "dwLow", "Low.").flag("F1", "One.");
    file.flag(secondFlag, "Two.").member("DWORD", "dwHigh", high);
    return file;
}

// What was imported before the update: plainly or by an update, into a foundation class.
struct Step {
    bool update;
    ParsedStructures lists;
    int foundationClass = CatalogueFixture::DirectDraw;
};

Step plain(ParsedStructures lists, int foundationClass = CatalogueFixture::DirectDraw)
{
    return {false, std::move(lists), foundationClass};
}

struct UpdateCase {
    const char* name;
    std::vector<Step> before;
    QStringList annotations;                                    // SQL run before the update
    ParsedStructures file;
    QStringList structures, members, flags;                     // the rows after the update
    std::string counts;                                         // updated/changed/added/kept/storedTwice/fileTwice by level
};

void PrintTo(const UpdateCase& c, std::ostream* os) { *os << c.name; }

std::string countsOf(const UpdateSummary& s)
{
    std::string text;
    for (const UpdateCounts* c : {&s.structures, &s.members, &s.flags})
        text += (text.empty() ? "" : " ") + std::to_string(c->updated) + "/" + std::to_string(c->changed) + "/" +
                std::to_string(c->added) + "/" + std::to_string(c->kept) + "/" + std::to_string(c->storedTwice) + "/" +
                std::to_string(c->fileTwice);
    return text;
}

const QStringList PlainStructure{QStringLiteral("1|DDCOLORKEY|Key.|ddcolorkey|Key.|0")};
const QStringList PlainMembers{QStringLiteral("1|1|dwLow|DWORD|Low.|dwLow|Low.|0"),
                               QStringLiteral("2|1|dwHigh|DWORD|High.|dwHigh|High.|0")};
const QStringList PlainFlags{QStringLiteral("1|1|1|F1|One.|One.|0"), QStringLiteral("2|1|1|F2 two|Two.|Two.|0")};

QStringList operator+(QStringList rows, const char* row)
{
    rows << QString::fromUtf8(row);
    return rows;
}

const std::vector<UpdateCase> Cases{
    {"DescriptionChanged", {plain(colorKey().build())}, {},
     colorKey("Key, corrected.", "High part.", "F2 second").build(),
     {QStringLiteral("1|DDCOLORKEY|Key, corrected.|ddcolorkey|Key, corrected.|0")},
     {PlainMembers[0], QStringLiteral("2|1|dwHigh|DWORD|High part.|dwHigh|High part.|0")},
     {PlainFlags[0], QStringLiteral("2|1|1|F2 second|Two.|Two.|0")},
     "1/1/0/0/0/0 2/1/0/0/0/0 2/1/0/0/0/0"},
    {"AnnotationsPresent", {plain(colorKey().build())},
     {QStringLiteral("UPDATE Structures SET BCB_Name = 'TColorKey', BCB_Description = 'My key.', Conversion_Status = 1"),
      QStringLiteral("UPDATE Structure_Members SET BCB_Description = 'My high.', Conversion_Status = 2 "
                     "WHERE Member_Name = 'dwHigh'"),
      QStringLiteral("UPDATE Structure_Member_Flags SET BCB_Description = 'Mine.' WHERE Flag_Name = 'F1'")},
     colorKey("Key, corrected.", "High part.").build(),
     {QStringLiteral("1|DDCOLORKEY|Key, corrected.|TColorKey|My key.|1")},
     {PlainMembers[0], QStringLiteral("2|1|dwHigh|DWORD|High part.|dwHigh|My high.|2")},
     {QStringLiteral("1|1|1|F1|One.|Mine.|0"), PlainFlags[1]},
     "1/1/0/0/0/0 2/1/0/0/0/0 2/0/0/0/0/0"},
    {"MemberAdded", {plain(colorKey().build())}, {},
     colorKey().member("LONG", "dwExtra", "Extra.").flag("X1", "Ex.").build(),
     PlainStructure, PlainMembers + "3|1|dwExtra|LONG|Extra.|dwExtra|Extra.|0", PlainFlags + "3|1|3|X1|Ex.|Ex.|0",
     "1/0/0/0/0/0 2/0/1/0/0/0 2/0/1/0/0/0"},
    {"MemberRemoved", {plain(colorKey().build())}, {},
     ParsedStructuresBuilder().structure("DDCOLORKEY", "Key.").member("DWORD", "dwHigh", "High.").build(),
     PlainStructure, PlainMembers, PlainFlags, "1/0/0/0/0/0 1/0/0/1/0/0 0/0/0/2/0/0"},
    {"FlagRenamed", {plain(colorKey().build())}, {}, colorKey("Key.", "High.", "F3 two").build(),
     PlainStructure, PlainMembers, PlainFlags + "3|1|1|F3 two|Two.|Two.|0", "1/0/0/0/0/0 2/0/0/0/0/0 1/0/1/1/0/0"},
    {"StructureAdded", {plain(colorKey().build())}, {},
     colorKey().structure("DDPIXELFORMAT", "Format.").member("DWORD", "dwSize", "Size.").build(),
     PlainStructure + "2|DDPIXELFORMAT|Format.|ddpixelformat|Format.|0",
     PlainMembers + "3|2|dwSize|DWORD|Size.|dwSize|Size.|0", PlainFlags, "1/0/1/0/0/0 2/0/1/0/0/0 2/0/0/0/0/0"},
    {"SameFileTwice", {{true, colorKey().build()}}, {}, colorKey().build(), PlainStructure,
     PlainMembers, PlainFlags, "1/0/0/0/0/0 2/0/0/0/0/0 2/0/0/0/0/0"},
    {"StoredTwiceLowestKeyMatched", {plain(colorKey().build()), plain(colorKey().build())}, {},
     colorKey("Key 2.").build(),
     {QStringLiteral("1|DDCOLORKEY|Key 2.|ddcolorkey|Key 2.|0"), QStringLiteral("2|DDCOLORKEY|Key.|ddcolorkey|Key.|0")},
     PlainMembers + "3|2|dwLow|DWORD|Low.|dwLow|Low.|0" + "4|2|dwHigh|DWORD|High.|dwHigh|High.|0",
     PlainFlags + "3|2|3|F1|One.|One.|0" + "4|2|3|F2 two|Two.|Two.|0", "1/1/0/0/1/0 2/0/0/0/2/0 2/0/0/0/2/0"},
    {"MemberRepeatedInTheFile", {plain(colorKey().build())}, {},
     colorKey().member("DWORD", "dwLow", "Again.").build(), PlainStructure,
     PlainMembers + "3|1|dwLow|DWORD|Again.|dwLow|Again.|0", PlainFlags, "1/0/0/0/0/0 2/0/1/0/0/1 2/0/0/0/0/0"},
    {"AnotherClassIsNotMatched", {plain(colorKey().build(), 2)}, {}, colorKey().build(),
     {QStringLiteral("2|DDCOLORKEY|Key.|ddcolorkey|Key.|0")},
     PlainMembers + "3|2|dwLow|DWORD|Low.|dwLow|Low.|0" + "4|2|dwHigh|DWORD|High.|dwHigh|High.|0",
     PlainFlags + "3|2|3|F1|One.|One.|0" + "4|2|3|F2 two|Two.|Two.|0", "0/0/1/0/0/0 0/0/2/0/0/0 0/0/2/0/0/0"},
};

// Updates the registered catalogue with lists, as `import --update` does.
UpdateSummary update(ParsedStructures lists, int foundationClass = CatalogueFixture::DirectDraw)
{
    catalogue::CatalogueTables c;
    c.database.setConnected(true);
    import::ImportObserver silent;
    CatalogueStructuresUpdater updater(c.database, foundationClass);
    updater.SaveStructures(lists, silent);
    return updater.summary();
}

class StructuresUpdateTest : public ::testing::TestWithParam<std::tuple<UpdateCase, Driver>> {};

TEST_P(StructuresUpdateTest, LeavesTheRowsOfItsCase)
{
    const UpdateCase& c = std::get<0>(GetParam());
    CatalogueFixture fixture(std::get<1>(GetParam()));
    for (const Step& step : c.before) {
        if (step.update)
            update(step.lists, step.foundationClass);
        else
            testing::saveIntoCatalogue(step.lists, step.foundationClass);
    }
    for (const QString& sql : c.annotations)
        ASSERT_TRUE(fixture.exec(sql)) << fixture.lastError().toStdString();

    const UpdateSummary summary = update(c.file);

    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Structure_Index, Structure_Name, Structure_Description, BCB_Name, "
                                          "BCB_Description, Conversion_Status FROM Structures "
                                          "WHERE Foundation_Class_Index = 1 ORDER BY 1")),
              c.structures);
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Member_Index, Structure_Index, Member_Name, Member_Type, "
                                          "Member_Description, BCB_Name, BCB_Description, Conversion_Status "
                                          "FROM Structure_Members ORDER BY 1")),
              c.members);
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Flag_Index, Structure_Index, Member_Index, Flag_Name, "
                                          "Flag_Description, BCB_Description, Conversion_Status "
                                          "FROM Structure_Member_Flags ORDER BY 1")),
              c.flags);
    EXPECT_EQ(countsOf(summary), c.counts);
}

INSTANTIATE_TEST_SUITE_P(Cases, StructuresUpdateTest,
                         ::testing::Combine(::testing::ValuesIn(Cases),
                                            ::testing::Values(Driver::Embedded, Driver::Postgres)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    testing::driverName(std::get<1>(info.param));
                         });

TEST(StructuresUpdateLockTest, AnUpdateWaitsForAnotherAtMostTheBusyTimeoutAndThenSaysLocked)
{
    // On SQLite every write waits for the other (BEGIN IMMEDIATE); on a server
    // only the updates do.
    CatalogueFixture fixture(Driver::Postgres);
    using Writers = catalogue::Database::Writers;
    catalogue::Database holder(catalogue::names::Alias, QStringLiteral("Holder"));
    holder.setConnected(true);
    holder.beginTransaction(Writers::OneAtATime);
    catalogue::Database other(catalogue::names::Alias, QStringLiteral("Other"));
    other.setBusyTimeout(300);
    other.setConnected(true);
    try {
        other.beginTransaction(Writers::OneAtATime);
        ADD_FAILURE() << "a second update did not wait";
    } catch (const catalogue::CatalogueError& error) {
        EXPECT_EQ(error.fault(), catalogue::CatalogueFault::Locked) << error.what();
    }
    other.beginTransaction(Writers::Alongside);   // a plain import does not wait
    other.rollback();
    holder.commit();
    other.beginTransaction(Writers::OneAtATime);
    other.rollback();
}

} // namespace
} // namespace velmora::importsave
