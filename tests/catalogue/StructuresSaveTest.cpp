#include <gtest/gtest.h>

#include <optional>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTestSupport.h"
#include "importsave/CatalogueStructuresSaver.h"
#include "support/RecordingObserver.h"

using namespace velmora::catalogue;
using velmora::import::ParsedStructures;
using velmora::importsave::CatalogueStructuresSaver;
using velmora::testing::CatalogueFixture;
using velmora::testing::Driver;
using velmora::testing::ParsedStructuresBuilder;

namespace {

// Two structures of three members each; the second structure's second member has two flags.
ParsedStructures twoStructures()
{
    return ParsedStructuresBuilder()
        .structure("DDCOLORKEY", "Describes a color key.")
        .member("DWORD", "dwColorSpaceLowValue", "Low value.")
        .member("DWORD", "dwColorSpaceHighValue", "High value.")
        .member("DWORD", "Reserved", "Must be zero.")
        .structure("DDPIXELFORMAT", "Describes a pixel format.")
        .member("DWORD", "dwSize", "Size of the structure.")
        .member("DWORD", "dwFlags", "Optional control flags.")
        .flag("DDPF_ALPHA", "The surface has alpha.")
        .flag("DDPF_RGB 'quoted' description", "RGB data.")
        .member("DWORD", "dwFourCC", "FourCC code.")
        .build();
}

class StructuresSaveTest : public ::testing::TestWithParam<Driver> {
protected:
    void SetUp() override
    {
        catalogue = std::make_unique<CatalogueTables>();
        catalogue->database.setConnected(true);
    }

    void save(ParsedStructures lists)
    {
        CatalogueStructuresSaver saver(catalogue->database, catalogue->structures, catalogue->members, catalogue->flags,
                                       foundationClass);
        saver.SaveStructures(lists, observer);
        lastLists = std::move(lists);
    }

    QStringList counts()
    {
        return {QString::number(fixture.rowCount(QStringLiteral("Structures"))),
                QString::number(fixture.rowCount(QStringLiteral("Structure_Members"))),
                QString::number(fixture.rowCount(QStringLiteral("Structure_Member_Flags")))};
    }

    CatalogueFixture fixture{GetParam()};
    std::unique_ptr<CatalogueTables> catalogue;
    int foundationClass = 1;
    velmora::testing::RecordingObserver observer;
    ParsedStructures lastLists;
};

TEST_P(StructuresSaveTest, WritesEveryRecordLinkedToTheKeysItsParentsReceived)
{
    save(twoStructures());
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT * FROM Structures ORDER BY Structure_Index")),
              QStringList({QStringLiteral("1|1|DDCOLORKEY|Describes a color key.|ddcolorkey|Describes a color key.|0"),
                           QStringLiteral("2|1|DDPIXELFORMAT|Describes a pixel format.|ddpixelformat|Describes a pixel format.|0")}));
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT * FROM Structure_Members ORDER BY Member_Index")),
              QStringList({QStringLiteral("1|1|1|dwColorSpaceLowValue|DWORD|Low value.|dwColorSpaceLowValue||Low value.|0"),
                           QStringLiteral("2|1|1|dwColorSpaceHighValue|DWORD|High value.|dwColorSpaceHighValue||High value.|0"),
                           QStringLiteral("3|1|1|Reserved|DWORD|Must be zero.|Reserved||Must be zero.|0"),
                           QStringLiteral("4|1|2|dwSize|DWORD|Size of the structure.|dwSize||Size of the structure.|0"),
                           QStringLiteral("5|1|2|dwFlags|DWORD|Optional control flags.|dwFlags||Optional control flags.|0"),
                           QStringLiteral("6|1|2|dwFourCC|DWORD|FourCC code.|dwFourCC||FourCC code.|0")}));
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT * FROM Structure_Member_Flags ORDER BY Flag_Index")),
              QStringList({QStringLiteral("1|1|2|5|DDPF_ALPHA|The surface has alpha.|The surface has alpha.|0"),
                           QStringLiteral("2|1|2|5|DDPF_RGB 'quoted' description|RGB data.|RGB data.|0")}));
    // Nothing the import does not own is written.
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT COUNT(*) FROM Structure_Members WHERE BCB_Type IS NOT NULL")),
              QStringList{QStringLiteral("0")});

    // The lists are spent, the tables stay open on the last rows written.
    EXPECT_TRUE(lastLists.Structure_Names.empty());
    EXPECT_TRUE(lastLists.Member_Descriptions.empty());
    EXPECT_TRUE(lastLists.Flag_Names.empty());
    EXPECT_TRUE(catalogue->structures.active());
    EXPECT_EQ(catalogue->members.fieldAsInteger(QStringLiteral("Member_Index")), 6);
    EXPECT_EQ(catalogue->flags.fieldAsInteger(QStringLiteral("Flag_Index")), 2);
}

TEST_P(StructuresSaveTest, TracesEveryStepAndShowsItOnTheStatusCaption)
{
    save(twoStructures());
    const std::vector<std::string> expected = {
        "",
        "Structures DUMP :-",
        "",
        "# of structures names == 2",
        "# of structures descriptions == 2",
        "# of member names == 6",
        "# of member types == 6",
        "# of member descriptions == 6",
        "# of flag names == 2",
        "# of flag descriptions == 2",
        "Saving Structure #0: 'DDCOLORKEY'",
        "Saving Structure #1: 'DDPIXELFORMAT'",
        "Saving Structure Member #0: 'DDCOLORKEY::dwColorSpaceLowValue'",
        "Saving Structure Member #1: 'DDCOLORKEY::dwColorSpaceHighValue'",
        "Saving Structure Member #2: 'DDCOLORKEY::Reserved'",
        "Saving Structure Member #3: 'DDPIXELFORMAT::dwSize'",
        "Saving Structure Member #4: 'DDPIXELFORMAT::dwFlags'",
        "Saving Structure Member #5: 'DDPIXELFORMAT::dwFourCC'",
        "Saving Structure Member Flag #0: 'DDPIXELFORMAT::dwFlags::DDPF_ALPHA'",
        "Saving Structure Member Flag #1: 'DDPIXELFORMAT::dwFlags::DDPF_RGB 'quoted' description'",
        "Done. All structures were imported successfully!",
    };
    EXPECT_EQ(observer.trace, expected);
    ASSERT_EQ(observer.statuses.size(), 12u);
    EXPECT_EQ(observer.statuses.front().caption, "Dumping structures to database");
    EXPECT_EQ(observer.statuses[1].caption, "Saving Structure #0: 'DDCOLORKEY'");
    EXPECT_EQ(observer.statuses.back().caption, "Done. All structures were imported successfully!");
}

TEST_P(StructuresSaveTest, APairDescriptionGivesEachMemberItsOwnRecord)
{
    save(ParsedStructuresBuilder()
             .structure("DDSCAPS2", "Capabilities.")
             .member("DWORD", "dwCaps3", "Not used.")
             .member("DWORD", "dwCaps4", "Not used.")
             .build());
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Member_Index, Member_Name, Member_Description, BCB_Description "
                                      "FROM Structure_Members ORDER BY Member_Index")),
              QStringList({QStringLiteral("1|dwCaps3|Not used.|Not used."), QStringLiteral("2|dwCaps4|Not used.|Not used.")}));
}

TEST_P(StructuresSaveTest, SearchNamesAreLowercaseBeyondAsciiTooAndTextsKeepTheirBytes)
{
    save(ParsedStructuresBuilder()
             .structure("\xC3\x84RGER_Stra\xC3\x9F" "E", "Caf\xC3\xA9 \xE2\x82\xAC.")
             .member("DWORD", "dw\xC3\x9C", "")
             .build());
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Structure_Name, BCB_Name, Structure_Description FROM Structures")),
              QStringList{QString::fromUtf8("\xC3\x84RGER_Stra\xC3\x9F" "E|\xC3\xA4rger_stra\xC3\x9F" "e|Caf\xC3\xA9 \xE2\x82\xAC.")});
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Member_Name, BCB_Name, CASE WHEN Member_Description = '' THEN 'text' END "
                                      "FROM Structure_Members")),
              QStringList{QString::fromUtf8("dw\xC3\x9C|dw\xC3\x9C|text")});
}

TEST_P(StructuresSaveTest, ASecondImportDoublesEveryRecordUnderNewKeys)
{
    save(twoStructures());
    save(twoStructures());
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Structure_Index, Structure_Name FROM Structures ORDER BY Structure_Index")),
              QStringList({QStringLiteral("1|DDCOLORKEY"), QStringLiteral("2|DDPIXELFORMAT"), QStringLiteral("3|DDCOLORKEY"),
                           QStringLiteral("4|DDPIXELFORMAT")}));
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Structure_Index, COUNT(*) FROM Structure_Members GROUP BY Structure_Index "
                                      "ORDER BY Structure_Index")),
              QStringList({QStringLiteral("1|3"), QStringLiteral("2|3"), QStringLiteral("3|3"), QStringLiteral("4|3")}));
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Flag_Index, Structure_Index, Member_Index FROM Structure_Member_Flags "
                                      "ORDER BY Flag_Index")),
              QStringList({QStringLiteral("1|2|5"), QStringLiteral("2|2|5"), QStringLiteral("3|4|11"),
                           QStringLiteral("4|4|11")}));
}

TEST_P(StructuresSaveTest, AFileWithoutFlagsLeavesTheFlagTableAsItWas)
{
    save(twoStructures());
    foundationClass = 3;   // read when the save runs, not when the saver was made
    observer = velmora::testing::RecordingObserver();
    save(ParsedStructuresBuilder().structure("DSBCAPS", "Buffer caps.").member("DWORD", "dwSize", "Size.").build());
    EXPECT_EQ(observer.trace[9], "# of flag descriptions == 0");
    EXPECT_EQ(observer.trace[8], "# of flag names == 0");
    EXPECT_EQ(fixture.rowCount(QStringLiteral("Structure_Member_Flags")), 2);
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Foundation_Class_Index, Structure_Index FROM Structure_Members "
                                      "WHERE Member_Index = 7")),
              QStringList{QStringLiteral("3|3")});
    EXPECT_TRUE(catalogue->flags.active());
}

// How each engine is made to refuse the member dwFlags, and the caption the save ends on:
// SQLite refuses the row itself, PostgreSQL the batch that holds it.
struct Injection {
    const char* add;
    const char* drop;
    const char* lastCaption;
};

Injection injectionFor(Driver driver)
{
    if (driver == Driver::Postgres)
        return {"ALTER TABLE Structure_Members ADD CONSTRAINT injected CHECK (Member_Name <> 'dwFlags') NOT VALID",
                "ALTER TABLE Structure_Members DROP CONSTRAINT injected",
                "Saving Structure Member #5: 'DDPIXELFORMAT::dwFourCC'"};
    return {"CREATE TRIGGER injected BEFORE INSERT ON Structure_Members "
            "WHEN NEW.Member_Name = 'dwFlags' BEGIN SELECT RAISE(ABORT, 'injected failure'); END",
            "DROP TRIGGER injected", "Saving Structure Member #4: 'DDPIXELFORMAT::dwFlags'"};
}

TEST_P(StructuresSaveTest, AFailureInTheMiddleLeavesTheCatalogueAsItWasAndKeepsTheFailingCaption)
{
    save(twoStructures());
    const QStringList before = counts();
    const Injection injection = injectionFor(GetParam());
    ASSERT_TRUE(fixture.exec(QString::fromUtf8(injection.add))) << fixture.lastError().toStdString();
    observer = velmora::testing::RecordingObserver();
    ParsedStructures lists = twoStructures();
    CatalogueStructuresSaver saver(catalogue->database, catalogue->structures, catalogue->members, catalogue->flags,
                                   foundationClass);
    try {
        saver.SaveStructures(lists, observer);
        FAIL() << "the injected failure must reach the caller";
    } catch (const CatalogueError& error) {
        EXPECT_NE(std::string(error.what()).find("injected"), std::string::npos) << error.what();
    }
    EXPECT_EQ(observer.statuses.back().caption, injection.lastCaption);
    EXPECT_EQ(counts(), before);

    // The catalogue is usable at once, its transaction ended (another would not
    // begin): lift the refusal and the same lists save.
    ASSERT_TRUE(fixture.exec(QString::fromUtf8(injection.drop))) << fixture.lastError().toStdString();
    save(twoStructures());
    EXPECT_EQ(counts(), QStringList({QStringLiteral("4"), QStringLiteral("12"), QStringLiteral("4")}));
}

TEST_P(StructuresSaveTest, ListsThatDoNotHangTogetherAreRefusedWithoutWriting)
{
    // The list with entry i changed to text, or without its last entry (no text).
    const auto changed = [](const velmora::text::TextList& list, std::size_t i, std::optional<std::string> text) {
        velmora::text::TextList result;
        for (std::size_t n = 0; n < list.size(); ++n)
            if (n != i)
                result.push_back(list.At(n));
            else if (text)
                result.push_back(*text);
        return result;
    };
    ParsedStructures untagged = twoStructures();
    untagged.Member_Descriptions = changed(untagged.Member_Descriptions, 2, "no tag at all");
    EXPECT_THROW(save(untagged), CatalogueError);

    ParsedStructures dangling = twoStructures();
    dangling.Flag_Descriptions = changed(dangling.Flag_Descriptions, 1,
                                         velmora::import::MakeTag("FlagStructureIndex", 1) +
                                             velmora::import::MakeTag("FlagMemberIndex", 42) + "x");
    EXPECT_THROW(save(dangling), CatalogueError);

    ParsedStructures shortTypes = twoStructures();
    shortTypes.Member_Types = changed(shortTypes.Member_Types, shortTypes.Member_Types.size() - 1, std::nullopt);
    EXPECT_THROW(save(shortTypes), CatalogueError);

    EXPECT_EQ(counts(), QStringList({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

INSTANTIATE_TEST_SUITE_P(Drivers, StructuresSaveTest, ::testing::Values(Driver::Embedded, Driver::Postgres),
                         [](const auto& info) { return std::string(velmora::testing::driverName(info.param)); });

} // namespace
