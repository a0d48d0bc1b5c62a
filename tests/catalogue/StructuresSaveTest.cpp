#include <gtest/gtest.h>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTestSupport.h"
#include "import/save/CatalogueStructuresSaver.h"
#include "support/RecordingObserver.h"

using namespace velmora::catalogue;
using velmora::import::ParsedStructures;
using velmora::importsave::CatalogueStructuresSaver;
using velmora::testing::CatalogueFixture;
using velmora::testing::ParsedStructuresBuilder;
using velmora::testing::RawCatalogue;

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

class StructuresSaveTest : public ::testing::Test {
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
        RawCatalogue raw(path, QStringLiteral("counts"));
        return {QString::number(raw.rowCount(QStringLiteral("Structures"))),
                QString::number(raw.rowCount(QStringLiteral("Structure_Members"))),
                QString::number(raw.rowCount(QStringLiteral("Structure_Member_Flags")))};
    }

    CatalogueFixture fixture;
    const QString path = fixture.path();
    std::unique_ptr<CatalogueTables> catalogue;
    int foundationClass = 1;
    velmora::testing::RecordingObserver observer;
    ParsedStructures lastLists;
};

TEST_F(StructuresSaveTest, WritesEveryRecordLinkedToTheKeysItsParentsReceived)
{
    save(twoStructures());
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT * FROM Structures ORDER BY Structure_Index")),
              QStringList({QStringLiteral("1|1|DDCOLORKEY|Describes a color key.|ddcolorkey|Describes a color key.|0"),
                           QStringLiteral("2|1|DDPIXELFORMAT|Describes a pixel format.|ddpixelformat|Describes a pixel format.|0")}));
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT * FROM Structure_Members ORDER BY Member_Index")),
              QStringList({QStringLiteral("1|1|1|dwColorSpaceLowValue|DWORD|Low value.|dwColorSpaceLowValue||Low value.|0"),
                           QStringLiteral("2|1|1|dwColorSpaceHighValue|DWORD|High value.|dwColorSpaceHighValue||High value.|0"),
                           QStringLiteral("3|1|1|Reserved|DWORD|Must be zero.|Reserved||Must be zero.|0"),
                           QStringLiteral("4|1|2|dwSize|DWORD|Size of the structure.|dwSize||Size of the structure.|0"),
                           QStringLiteral("5|1|2|dwFlags|DWORD|Optional control flags.|dwFlags||Optional control flags.|0"),
                           QStringLiteral("6|1|2|dwFourCC|DWORD|FourCC code.|dwFourCC||FourCC code.|0")}));
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT * FROM Structure_Member_Flags ORDER BY Flag_Index")),
              QStringList({QStringLiteral("1|1|2|5|DDPF_ALPHA|The surface has alpha.|The surface has alpha.|0"),
                           QStringLiteral("2|1|2|5|DDPF_RGB 'quoted' description|RGB data.|RGB data.|0")}));
    // Nothing the import does not own is written.
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT COUNT(*) FROM Structure_Members WHERE BCB_Type IS NOT NULL")),
              QStringList{QStringLiteral("0")});

    // The lists are spent, the tables stay open on the last rows written.
    EXPECT_TRUE(lastLists.Structure_Names.empty());
    EXPECT_TRUE(lastLists.Member_Descriptions.empty());
    EXPECT_TRUE(lastLists.Flag_Names.empty());
    EXPECT_TRUE(catalogue->structures.active());
    EXPECT_EQ(catalogue->members.fieldAsInteger(QStringLiteral("Member_Index")), 6);
    EXPECT_EQ(catalogue->flags.fieldAsInteger(QStringLiteral("Flag_Index")), 2);
}

TEST_F(StructuresSaveTest, TracesEveryStepAndShowsItOnTheStatusCaption)
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

TEST_F(StructuresSaveTest, APairDescriptionGivesEachMemberItsOwnRecord)
{
    save(ParsedStructuresBuilder()
             .structure("DDSCAPS2", "Capabilities.")
             .member("DWORD", "dwCaps3", "Not used.")
             .member("DWORD", "dwCaps4", "Not used.")
             .build());
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Member_Index, Member_Name, Member_Description, BCB_Description "
                                      "FROM Structure_Members ORDER BY Member_Index")),
              QStringList({QStringLiteral("1|dwCaps3|Not used.|Not used."), QStringLiteral("2|dwCaps4|Not used.|Not used.")}));
}

TEST_F(StructuresSaveTest, SearchNamesAreLowercaseBeyondAsciiTooAndTextsKeepTheirBytes)
{
    save(ParsedStructuresBuilder()
             .structure("\xC3\x84RGER_Stra\xC3\x9F" "E", "Caf\xC3\xA9 \xE2\x82\xAC.")
             .member("DWORD", "dw\xC3\x9C", "")
             .build());
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Structure_Name, BCB_Name, Structure_Description FROM Structures")),
              QStringList{QString::fromUtf8("\xC3\x84RGER_Stra\xC3\x9F" "E|\xC3\xA4rger_stra\xC3\x9F" "e|Caf\xC3\xA9 \xE2\x82\xAC.")});
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Member_Name, BCB_Name, typeof(Member_Description) FROM Structure_Members")),
              QStringList{QString::fromUtf8("dw\xC3\x9C|dw\xC3\x9C|text")});
}

TEST_F(StructuresSaveTest, ASecondImportDoublesEveryRecordUnderNewKeys)
{
    save(twoStructures());
    save(twoStructures());
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Structure_Index, Structure_Name FROM Structures ORDER BY Structure_Index")),
              QStringList({QStringLiteral("1|DDCOLORKEY"), QStringLiteral("2|DDPIXELFORMAT"), QStringLiteral("3|DDCOLORKEY"),
                           QStringLiteral("4|DDPIXELFORMAT")}));
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Structure_Index, COUNT(*) FROM Structure_Members GROUP BY Structure_Index")),
              QStringList({QStringLiteral("1|3"), QStringLiteral("2|3"), QStringLiteral("3|3"), QStringLiteral("4|3")}));
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Flag_Index, Structure_Index, Member_Index FROM Structure_Member_Flags "
                                      "ORDER BY Flag_Index")),
              QStringList({QStringLiteral("1|2|5"), QStringLiteral("2|2|5"), QStringLiteral("3|4|11"),
                           QStringLiteral("4|4|11")}));
}

TEST_F(StructuresSaveTest, AFileWithoutFlagsLeavesTheFlagTableAsItWas)
{
    save(twoStructures());
    foundationClass = 3;   // read when the save runs, not when the saver was made
    observer = velmora::testing::RecordingObserver();
    save(ParsedStructuresBuilder().structure("DSBCAPS", "Buffer caps.").member("DWORD", "dwSize", "Size.").build());
    EXPECT_EQ(observer.trace[9], "# of flag descriptions == 0");
    EXPECT_EQ(observer.trace[8], "# of flag names == 0");
    RawCatalogue raw(path);
    EXPECT_EQ(raw.rowCount(QStringLiteral("Structure_Member_Flags")), 2);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT Foundation_Class_Index, Structure_Index FROM Structure_Members "
                                      "WHERE Member_Index = 7")),
              QStringList{QStringLiteral("3|3")});
    EXPECT_TRUE(catalogue->flags.active());
}

TEST_F(StructuresSaveTest, AFailureInTheMiddleLeavesTheCatalogueAsItWasAndKeepsTheFailingCaption)
{
    save(twoStructures());
    const QStringList before = counts();
    {
        RawCatalogue raw(path, QStringLiteral("trigger"));
        ASSERT_TRUE(raw.exec(QStringLiteral("CREATE TRIGGER injected BEFORE INSERT ON Structure_Members "
                                            "WHEN NEW.Member_Name = 'dwFlags' BEGIN SELECT RAISE(ABORT, 'injected failure'); END")));
    }
    observer = velmora::testing::RecordingObserver();
    ParsedStructures lists = twoStructures();
    CatalogueStructuresSaver saver(catalogue->database, catalogue->structures, catalogue->members, catalogue->flags,
                                   foundationClass);
    try {
        saver.SaveStructures(lists, observer);
        FAIL() << "the injected failure must reach the caller";
    } catch (const CatalogueError& error) {
        EXPECT_NE(std::string(error.what()).find("injected failure"), std::string::npos) << error.what();
    }
    EXPECT_EQ(observer.statuses.back().caption, "Saving Structure Member #4: 'DDPIXELFORMAT::dwFlags'");
    EXPECT_EQ(counts(), before);
    EXPECT_FALSE(catalogue->database.inTransaction());

    // The catalogue is usable at once: drop the trigger and the same lists save.
    {
        RawCatalogue raw(path, QStringLiteral("trigger"));
        ASSERT_TRUE(raw.exec(QStringLiteral("DROP TRIGGER injected")));
    }
    save(twoStructures());
    EXPECT_EQ(counts(), QStringList({QStringLiteral("4"), QStringLiteral("12"), QStringLiteral("4")}));
}

TEST_F(StructuresSaveTest, ListsThatDoNotHangTogetherAreRefusedWithoutWriting)
{
    ParsedStructures untagged = twoStructures();
    untagged.Member_Descriptions.Replace(2, "no tag at all");
    EXPECT_THROW(save(untagged), CatalogueError);

    ParsedStructures dangling = twoStructures();
    dangling.Flag_Descriptions.Replace(1, velmora::import::MakeTag("FlagStructureIndex", 1) +
                                              velmora::import::MakeTag("FlagMemberIndex", 42) + "x");
    EXPECT_THROW(save(dangling), CatalogueError);

    ParsedStructures shortTypes = twoStructures();
    velmora::import::TextList allButTheLastType;
    for (std::size_t i = 0; i + 1 < shortTypes.Member_Types.size(); ++i)
        allButTheLastType.push_back(shortTypes.Member_Types.At(i));
    shortTypes.Member_Types = allButTheLastType;
    EXPECT_THROW(save(shortTypes), CatalogueError);

    EXPECT_EQ(counts(), QStringList({QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0")}));
}

} // namespace
