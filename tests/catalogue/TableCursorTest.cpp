#include <gtest/gtest.h>

#include "catalogue/CatalogueError.h"
#include "catalogue/DataSource.h"
#include "catalogue/Query.h"
#include "catalogue/CatalogueTestSupport.h"

using namespace velmora::catalogue;
using velmora::testing::CatalogueFixture;
using velmora::testing::Driver;
using velmora::testing::TempCatalogueEnv;

namespace {

class TableCursorTest : public ::testing::TestWithParam<Driver> {
protected:
    void SetUp() override
    {
        catalogue = std::make_unique<CatalogueTables>();
        catalogue->database.setConnected(true);
    }

    long long appendStructure(const QString& name, int status = 0)
    {
        Table& t = catalogue->structures;
        t.append();
        t.setField(QStringLiteral("Structure_Name"), name);
        t.setField(QStringLiteral("BCB_Name"), name.toLower());
        t.setField(QStringLiteral("Conversion_Status"), status);
        t.post();
        return t.fieldAsInteger(QStringLiteral("Structure_Index"));
    }

    CatalogueFixture fixture{GetParam()};
    std::unique_ptr<CatalogueTables> catalogue;
};

TEST_P(TableCursorTest, EmptyTableOpensWithoutCurrentRowAndReadsAsZeroAndEmpty)
{
    Table& t = catalogue->structures;
    t.setIndexFieldNames(names::StructuresIndexFields);
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(t.fieldAsInteger(QStringLiteral("Structure_Index")), 0);
    EXPECT_EQ(t.fieldAsString(QStringLiteral("BCB_Name")), QString());
    EXPECT_THROW(t.value(QStringLiteral("No_Such_Field")), CatalogueError);

    t.edit();   // nothing to edit: a new row starts instead
    EXPECT_EQ(t.state(), Table::State::Insert);
    EXPECT_FALSE(t.modified());
}

TEST_P(TableCursorTest, KeysStartAtOneAreReadableAfterPostAndAreNeverReused)
{
    Table& t = catalogue->structures;
    t.open();
    EXPECT_EQ(appendStructure(QStringLiteral("A")), 1);
    EXPECT_EQ(appendStructure(QStringLiteral("B")), 2);
    EXPECT_EQ(appendStructure(QStringLiteral("C")), 3);
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("C"));

    t.close();
    t.emptyTable();
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_EQ(appendStructure(QStringLiteral("D")), 4);

    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT Structure_Index, Structure_Name FROM Structures")),
              QStringList{QStringLiteral("4|D")});
}

TEST_P(TableCursorTest, SeekNearestLandsOnEqualOrNextKeyAndOnLastPastTheEnd)
{
    Table& t = catalogue->structures;
    t.open();
    for (const char* name : {"A", "B", "C", "D", "E"})
        appendStructure(QString::fromLatin1(name));
    ASSERT_TRUE(fixture.exec(QStringLiteral("DELETE FROM Structures WHERE Structure_Index = 3")));

    const auto seek = [&](long long number) {
        t.close();
        t.setIndexFieldNames(QStringLiteral("Structure_Index"));
        t.open();
        t.setKey();
        t.setKeyField(QStringLiteral("Structure_Index"), number);
        t.gotoNearest();
        return t.fieldAsString(QStringLiteral("Structure_Name"));
    };
    EXPECT_EQ(seek(2), QStringLiteral("B"));
    EXPECT_EQ(seek(3), QStringLiteral("D"));
    EXPECT_EQ(seek(0), QStringLiteral("A"));
    EXPECT_EQ(seek(99), QStringLiteral("E"));

    // The long index field list of the window orders by number just the same.
    t.close();
    t.setIndexFieldNames(names::StructuresIndexFields);
    t.open();
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("A"));
    t.setKey();
    t.setKeyField(QStringLiteral("Structure_Index"), 4);
    t.gotoNearest();
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("D"));

    t.setKey();
    EXPECT_THROW(t.setKeyField(QStringLiteral("Structure_Description"), 1), CatalogueError);
    EXPECT_THROW(t.setIndexFieldNames(QStringLiteral("Structure_Index")), CatalogueError);   // open
}

TEST_P(TableCursorTest, RefreshRereadsTheCurrentRowAndModifiedFollowsEdits)
{
    Table& t = catalogue->structures;
    t.open();
    const long long key = appendStructure(QStringLiteral("DDCOLORKEY"));
    appendStructure(QStringLiteral("DDSURFACEDESC"));
    t.setKey();
    t.setKeyField(QStringLiteral("Structure_Index"), key);
    t.gotoNearest();

    ASSERT_TRUE(fixture.exec(QStringLiteral("UPDATE Structures SET BCB_Name = 'changed' WHERE Structure_Index = %1").arg(key)));
    EXPECT_EQ(t.fieldAsString(QStringLiteral("BCB_Name")), QStringLiteral("ddcolorkey"));
    t.refresh();
    EXPECT_EQ(t.fieldAsInteger(QStringLiteral("Structure_Index")), key);
    EXPECT_EQ(t.fieldAsString(QStringLiteral("BCB_Name")), QStringLiteral("changed"));

    t.edit();
    EXPECT_FALSE(t.modified());
    t.setField(QStringLiteral("BCB_Name"), QStringLiteral("TColorKey"));
    EXPECT_TRUE(t.modified());
    EXPECT_EQ(t.fieldAsString(QStringLiteral("BCB_Name")), QStringLiteral("TColorKey"));
    t.post();
    EXPECT_FALSE(t.modified());
    EXPECT_EQ(t.state(), Table::State::Browse);
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT BCB_Name, Structure_Name FROM Structures WHERE Structure_Index = %1").arg(key)),
              QStringList{QStringLiteral("TColorKey|DDCOLORKEY")});

    // Closing drops what was never posted.
    t.edit();
    t.setField(QStringLiteral("BCB_Name"), QStringLiteral("lost"));
    t.close();
    EXPECT_FALSE(t.modified());
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT BCB_Name FROM Structures WHERE Structure_Index = %1").arg(key)),
              QStringList{QStringLiteral("TColorKey")});

    // Assignments need edit or insert mode.
    t.open();
    EXPECT_THROW(t.setField(QStringLiteral("BCB_Name"), QStringLiteral("x")), CatalogueError);
    t.edit();
    EXPECT_THROW(t.setField(QStringLiteral("No_Such_Field"), 1), CatalogueError);
}

TEST_P(TableCursorTest, RefreshOfAnEditedRowPostsItAndARemovedRowFallsBackToTheFirst)
{
    Table& t = catalogue->structures;
    t.open();
    appendStructure(QStringLiteral("A"));
    const long long second = appendStructure(QStringLiteral("B"));
    t.edit();
    t.setField(QStringLiteral("Conversion_Status"), 1);
    t.refresh();
    EXPECT_EQ(t.fieldAsInteger(QStringLiteral("Conversion_Status")), 1);
    EXPECT_FALSE(t.modified());

    ASSERT_TRUE(fixture.exec(QStringLiteral("DELETE FROM Structures WHERE Structure_Index = %1").arg(second)));
    t.refresh();
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("A"));

    // An edit whose row vanished underneath is an error, not a silent loss.
    ASSERT_TRUE(fixture.exec(QStringLiteral("DELETE FROM Structures")));
    t.edit();
    t.setField(QStringLiteral("BCB_Name"), QStringLiteral("x"));
    EXPECT_THROW(t.post(), CatalogueError);
}

// Someone else stores a change between this table's read and its post: a
// conflict only where they stored another value in a field this post writes.
TEST_P(TableCursorTest, APostOverAChangeStoredMeanwhileIsAConflictUnlessOnlyOtherFieldsChanged)
{
    struct Case {
        const char* theirs;          // the other user's change
        const char* difference;      // "field|theirs|yours", empty: no conflict
        int status;                  // Conversion_Status as the cursor shows it after the post
    };
    const Case cases[] = {
        {"BCB_Name = 'theirs'", "BCB_Name|theirs|mine", 0},
        {"BCB_Name = NULL", "BCB_Name|<null>|mine", 0},
        {"BCB_Name = 'mine'", "", 0},
        {"Conversion_Status = 2", "", 2},
        {"BCB_Name = 'theirs', Conversion_Status = 3", "BCB_Name|theirs|mine", 3},
    };
    const auto shown = [](const QVariant& value) { return value.isNull() ? QStringLiteral("<null>") : value.toString(); };
    Table& t = catalogue->structures;
    t.open();
    for (const Case& c : cases) {
        const long long key = appendStructure(QStringLiteral("A"));
        t.edit();
        t.setField(QStringLiteral("BCB_Name"), QStringLiteral("mine"));
        ASSERT_TRUE(fixture.exec(
            QStringLiteral("UPDATE Structures SET %1 WHERE Structure_Index = %2").arg(QLatin1String(c.theirs)).arg(key)));
        if (*c.difference == 0) {
            t.post();
        } else {
            QStringList found;
            try {
                t.post();
            } catch (const CataloguePostConflictError& conflict) {
                for (const auto& d : conflict.differences())
                    found << QStringList{d.field, shown(d.theirs), shown(d.yours)}.join(QLatin1Char('|'));
            }
            EXPECT_EQ(found, QStringList{QLatin1String(c.difference)}) << c.theirs;
            EXPECT_EQ(t.state(), Table::State::Edit);
            EXPECT_EQ(t.fieldAsString(QStringLiteral("BCB_Name")), QStringLiteral("mine"));
            t.postOverStoredChanges();
        }
        EXPECT_EQ(t.state(), Table::State::Browse);
        EXPECT_EQ(fixture.stored("Structures", "Structure_Index", int(key), "BCB_Name").toString(), QStringLiteral("mine"));
        EXPECT_EQ(t.fieldAsString(QStringLiteral("BCB_Name")), QStringLiteral("mine"));
        EXPECT_EQ(t.fieldAsInteger(QStringLiteral("Conversion_Status")), c.status) << c.theirs;
    }
}

// A change kept over a close and posted after the next open finds what
// happened to its row meanwhile, as a post would have then.
TEST_P(TableCursorTest, AChangeKeptOverACloseIsCheckedAgainstItsRowWhenPosted)
{
    struct Case {
        const char* meanwhile;   // statement on the kept row (%1: its key); empty: none
        const char* outcome;     // "stored", "conflict" or "row gone"
        const char* name;        // BCB_Name stored in the end
    };
    const Case cases[] = {
        {"", "stored", "mine"},
        {"UPDATE Structures SET Conversion_Status = 2 WHERE Structure_Index = %1", "stored", "mine"},
        {"UPDATE Structures SET BCB_Name = 'theirs' WHERE Structure_Index = %1", "conflict", "theirs"},
        {"DELETE FROM Structures WHERE Structure_Index = %1", "row gone", ""},
    };
    Table& t = catalogue->structures;
    for (const Case& c : cases) {
        catalogue->open();
        const long long key = appendStructure(QStringLiteral("A"));
        appendStructure(QStringLiteral("B"));   // the reopened cursor starts elsewhere
        t.setKey();
        t.setKeyField(QStringLiteral("Structure_Index"), key);
        t.gotoNearest();
        t.edit();
        t.setField(QStringLiteral("BCB_Name"), QStringLiteral("mine"));
        const std::optional<Table::PendingEdit> kept = t.pendingEdit();
        ASSERT_TRUE(kept.has_value());
        catalogue->close();
        if (*c.meanwhile) {
            ASSERT_TRUE(fixture.exec(QString::fromLatin1(c.meanwhile).arg(key)));
        }
        catalogue->open();
        QString outcome = QStringLiteral("stored");
        try {
            if (!t.resumeEdit(*kept))
                outcome = QStringLiteral("row gone");
            else
                t.post();
        } catch (const CataloguePostConflictError&) {
            outcome = QStringLiteral("conflict");
            t.cancel();
        }
        EXPECT_EQ(outcome, QLatin1String(c.outcome)) << c.meanwhile;
        EXPECT_EQ(fixture.stored("Structures", "Structure_Index", int(key), "BCB_Name").toString(), QLatin1String(c.name))
            << c.meanwhile;
        catalogue->close();
    }

    // A new row kept over a close is inserted after the open.
    catalogue->open();
    t.insert();
    t.setField(QStringLiteral("Structure_Name"), QStringLiteral("New"));
    const std::optional<Table::PendingEdit> kept = t.pendingEdit();
    ASSERT_TRUE(kept.has_value());
    catalogue->close();
    catalogue->open();
    ASSERT_TRUE(t.resumeEdit(*kept));
    t.post();
    EXPECT_EQ(fixture.rows(QStringLiteral("SELECT COUNT(*) FROM Structures WHERE Structure_Name = 'New'")),
              QStringList{QStringLiteral("1")});
}

TEST_P(TableCursorTest, EmptyingLeavesTheCursorAndFoundationClassesAlone)
{
    Table& t = catalogue->members;
    t.open();
    t.append();
    t.setField(QStringLiteral("Member_Name"), QStringLiteral("dwSize"));
    t.post();
    t.edit();
    t.setField(QStringLiteral("Member_Name"), QStringLiteral("dwFlags"));
    EXPECT_EQ(t.emptyTable(), 1);
    EXPECT_EQ(t.state(), Table::State::Edit);
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Member_Name")), QStringLiteral("dwFlags"));
    t.close();
    EXPECT_EQ(fixture.rowCount(QStringLiteral("Structure_Members")), 0);
    EXPECT_EQ(fixture.rowCount(QStringLiteral("Foundation_Classes")), 7);
}

TEST_P(TableCursorTest, AwkwardTextRoundTripsUnchangedThroughTablesAndBoundQueries)
{
    QStringList awkward = {
        QStringLiteral("O'Brien's \"flag\""),
        QStringLiteral("back\\slash\\\\ and ; semicolon; DROP TABLE Structures; --"),
        QStringLiteral("tab\there\nnew line\r\n"),
        QStringLiteral("caf\u00e9 \u00c0 \u2122 %1 :name ?"),
    };
    if (GetParam() == Driver::Embedded)   // a server text cannot hold NUL
        awkward << QString(QStringLiteral("nul")) + QChar(u'\0') + QStringLiteral("inside");
    Table& t = catalogue->flags;
    t.open();
    for (const QString& text : awkward) {
        t.append();
        t.setField(QStringLiteral("Flag_Name"), text);
        t.setField(QStringLiteral("Flag_Description"), text);
        t.post();
    }
    t.close();
    t.open();
    Query query(catalogue->database);
    for (const QString& text : awkward) {
        EXPECT_EQ(t.fieldAsString(QStringLiteral("Flag_Name")), text);
        query.close();
        query.clearSql();
        query.addLine(QStringLiteral(" select Flag_Index, Flag_Description from Structure_Member_Flags "));
        query.addLine(QStringLiteral(" where Flag_Name = :name "));
        query.bindValue(QStringLiteral(":name"), text);
        query.open();
        ASSERT_FALSE(query.eof()) << text.toStdString();
        EXPECT_EQ(query.fieldAsInteger(QStringLiteral("Flag_Index")), t.fieldAsInteger(QStringLiteral("Flag_Index")));
        EXPECT_EQ(query.fieldAsString(QStringLiteral("Flag_Description")), text);
        const long long next = t.fieldAsInteger(QStringLiteral("Flag_Index")) + 1;
        t.setKey();
        t.setKeyField(QStringLiteral("Flag_Index"), next);
        t.gotoNearest();
    }
    EXPECT_EQ(fixture.rowCount(QStringLiteral("Structures")), 0);   // still there
}

TEST_P(TableCursorTest, QueryReadsTheTextsOfItsFieldsWithItsBoundValue)
{
    Query query(catalogue->database);
    query.addLine(
        QStringLiteral(" select Foundation_Class_Index, Foundation_Class_Name as Name from Foundation_Classes"));
    query.addLine(QStringLiteral(" where Foundation_Class_Index <= :last order by Foundation_Class_Index "));
    query.bindValue(QStringLiteral(":last"), 2);
    const QStringList names = {QStringLiteral("DirectDraw"), QStringLiteral("DirectSound")};
    EXPECT_EQ(
        query.readTexts({QStringLiteral("NAME"), QStringLiteral("Foundation_Class_Index"), QStringLiteral("name")}),
        (QList<QStringList>{names, {QStringLiteral("1"), QStringLiteral("2")}, names}));
    EXPECT_FALSE(query.active());
    EXPECT_THROW(query.readTexts({QStringLiteral("Structure_Name")}), CatalogueError);
}

TEST_P(TableCursorTest, QueryJoinsLinesReadsRowsInOrderAndReportsBadStatements)
{
    Query query(catalogue->database);
    query.addLine(QStringLiteral(" select Foundation_Class_Index, Foundation_Class_Name from Foundation_Classes"));
    query.addLine(QStringLiteral(" order by Foundation_Class_Name "));
    EXPECT_EQ(query.sqlText(), QStringLiteral(" select Foundation_Class_Index, Foundation_Class_Name from Foundation_Classes\n"
                                              " order by Foundation_Class_Name "));
    query.open();
    QStringList names;
    for (; !query.eof(); query.next())
        names << query.fieldAsString(QStringLiteral("Foundation_Class_Name"));
    EXPECT_EQ(names, QStringList({QStringLiteral("Direct3D Immediate Mode"), QStringLiteral("Direct3D Retained Mode"),
                                  QStringLiteral("DirectDraw"), QStringLiteral("DirectInput"), QStringLiteral("DirectPlay"),
                                  QStringLiteral("DirectSetup"), QStringLiteral("DirectSound")}));
    query.first();
    EXPECT_EQ(query.fieldAsString(QStringLiteral("Foundation_Class_Name")), QStringLiteral("Direct3D Immediate Mode"));
    EXPECT_THROW(query.fieldAsInteger(QStringLiteral("Structure_Index")), CatalogueError);
    query.close();

    query.clearSql();
    query.addLine(QStringLiteral(" select Structure_Index from Structures where Structure_Name = :name "));
    query.bindValue(QStringLiteral(":name"), QStringLiteral("none"));
    query.open();
    EXPECT_TRUE(query.eof());
    EXPECT_EQ(query.fieldAsInteger(QStringLiteral("Structure_Index")), 0);
    query.close();

    query.clearSql();
    query.addLine(QStringLiteral(" select Flag_Index from Structure_Member_Flags "));
    query.addLine(QStringLiteral(" where Flag_Name = 'it's' "));
    try {
        query.open();
        FAIL() << "a malformed statement must fail";
    } catch (const CatalogueError& error) {
        EXPECT_NE(std::string(error.what()).find("syntax error"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(query.active());
}

TEST_P(TableCursorTest, DataSourceTellsControlsWhenTheRowChangesButNotWhileTheyType)
{
    Table& t = catalogue->structures;
    DataSource source(t);
    int signals_ = 0;
    QObject::connect(&source, &DataSource::currentRowChanged, [&] { ++signals_; });

    t.open();
    EXPECT_EQ(signals_, 1);
    t.insert();
    EXPECT_EQ(signals_, 2);
    t.setField(QStringLiteral("Structure_Name"), QStringLiteral("A"));
    EXPECT_EQ(signals_, 2);
    t.post();
    EXPECT_EQ(signals_, 3);
    t.edit();
    t.setField(QStringLiteral("BCB_Name"), QStringLiteral("a"));
    EXPECT_EQ(signals_, 3);
    t.refresh();   // posts, then re-reads
    EXPECT_GE(signals_, 4);
    const int beforeSeek = signals_;
    t.setKey();
    t.setKeyField(QStringLiteral("Structure_Index"), 1);
    t.gotoNearest();
    EXPECT_EQ(signals_, beforeSeek + 1);

    // A bulk writer silences the controls and they hear about it once.
    t.disableControls();
    for (int i = 0; i < 3; ++i) {
        t.append();
        t.setField(QStringLiteral("Structure_Name"), QStringLiteral("bulk"));
        t.post();
    }
    EXPECT_EQ(signals_, beforeSeek + 1);
    t.enableControls();
    EXPECT_EQ(signals_, beforeSeek + 2);

    t.close();
    EXPECT_EQ(signals_, beforeSeek + 3);
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Structure_Name")), QString());   // closed reads as empty
}

TEST_P(TableCursorTest, DisconnectingClosesTablesAndQueriesAndReconnectingWorks)
{
    Table& t = catalogue->structures;
    Query query(catalogue->database);
    t.open();
    appendStructure(QStringLiteral("A"));
    query.addLine(QStringLiteral(" select Structure_Index from Structures "));
    query.open();
    catalogue->database.setConnected(false);
    EXPECT_FALSE(t.active());
    EXPECT_FALSE(query.active());
    EXPECT_THROW(t.open(), CatalogueError);

    catalogue->database.setConnected(true);
    t.open();
    EXPECT_EQ(t.fieldAsString(QStringLiteral("Structure_Name")), QStringLiteral("A"));
    query.open();
    EXPECT_EQ(query.fieldAsInteger(QStringLiteral("Structure_Index")), 1);
}

TEST_P(TableCursorTest, NameFieldsCarryTheirCharacterLimitForEditControls)
{
    EXPECT_EQ(catalogue->structures.fieldSize(QStringLiteral("BCB_Name")), 255);
    EXPECT_EQ(catalogue->members.fieldSize(QStringLiteral("BCB_Name")), 255);
    EXPECT_EQ(catalogue->structures.fieldSize(QStringLiteral("BCB_Description")), 0);
    EXPECT_EQ(catalogue->flags.fieldSize(QStringLiteral("BCB_Description")), 0);
}

INSTANTIATE_TEST_SUITE_P(Drivers, TableCursorTest, ::testing::Values(Driver::Embedded, Driver::Postgres),
                         [](const auto& info) { return std::string(velmora::testing::driverName(info.param)); });

} // namespace
