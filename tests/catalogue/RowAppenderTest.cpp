#include <gtest/gtest.h>

#include <string>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/QtSqlRowAppender.h"
#include "catalogue/SqliteRowAppender.h"
#include "support/CatalogueFixture.h"

using namespace velmora::catalogue;
using velmora::testing::CatalogueFixture;

namespace {

struct TextCase {
    const char* name;
    std::string text;
};

// SQLite's own statements must store what the Qt SQL path stores, byte for byte.
class RowAppenderTest : public ::testing::TestWithParam<TextCase> {
protected:
    void SetUp() override { catalogue.database.setConnected(true); }

    std::unique_ptr<RowAppender> appender(bool native)
    {
        const QStringList columns = {QStringLiteral("Structure_Name"), QStringLiteral("Conversion_Status")};
        const QSqlDatabase db = catalogue.database.handle();
        if (native)
            return std::make_unique<SqliteRowAppender>(SqliteRowAppender::nativeHandle(db), names::StructuresTable, columns);
        return std::make_unique<QtSqlRowAppender>(db, names::StructuresTable, QStringLiteral("Structure_Index"), columns);
    }

    CatalogueFixture fixture;
    CatalogueTables catalogue;
};

TEST_P(RowAppenderTest, BothPathsStoreTheSameValuesAndReturnTheNewKeys)
{
    catalogue.database.beginTransaction();
    long long keys[2] = {};
    for (const bool native : {false, true}) {
        const auto rows = appender(native);
        rows->setText(0, GetParam().text);
        rows->setInteger(1, 7);
        keys[native] = rows->append();
    }
    catalogue.database.commit();
    EXPECT_EQ(keys[0], 1);
    EXPECT_EQ(keys[1], 2);
    const QStringList stored = fixture.rows(QStringLiteral(
        "SELECT typeof(Structure_Name), hex(Structure_Name), typeof(Conversion_Status), Conversion_Status "
        "FROM Structures ORDER BY Structure_Index"));
    ASSERT_EQ(stored.size(), 2) << stored.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(stored[1], stored[0]);
    EXPECT_TRUE(stored[0].startsWith(QStringLiteral("text|"))) << stored[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Texts, RowAppenderTest,
                         ::testing::Values(TextCase{"Empty", ""}, TextCase{"Ascii", "DDSURFACEDESC2 dwFlags"},
                                           TextCase{"ControlCharacters", "tab\there\r\nnext line"},
                                           TextCase{"NulInside", std::string("before\0after", 12)},
                                           TextCase{"Utf8", "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"},
                                           TextCase{"Latin1Bytes", "caf\xE9 \xA9 1998"},
                                           TextCase{"ByteOrderMark", "\xEF\xBB\xBF" "DDCAPS"},
                                           TextCase{"EncodedSurrogate", "x\xED\xA0\x80y"},
                                           TextCase{"Overlong", "a\xC0\xAF" "b"},
                                           TextCase{"Truncated", "end\xE2\x82"}),
                         [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(RowAppenderErrorTest, AFailedInsertNamesTheTableAndTheEngineMessageOnBothPaths)
{
    CatalogueFixture fixture;
    ASSERT_TRUE(fixture.exec(QStringLiteral("CREATE TRIGGER refused BEFORE INSERT ON Structures "
                                            "BEGIN SELECT RAISE(ABORT, 'refused here'); END")));
    CatalogueTables catalogue;
    catalogue.database.setConnected(true);
    const QSqlDatabase db = catalogue.database.handle();
    const QStringList columns = {QStringLiteral("Structure_Name")};
    QtSqlRowAppender portable(db, names::StructuresTable, QStringLiteral("Structure_Index"), columns);
    SqliteRowAppender native(SqliteRowAppender::nativeHandle(db), names::StructuresTable, columns);
    for (RowAppender* rows : {static_cast<RowAppender*>(&portable), static_cast<RowAppender*>(&native)}) {
        rows->setText(0, "S");
        try {
            rows->append();
            ADD_FAILURE() << "the trigger must refuse the row";
        } catch (const CatalogueError& error) {
            EXPECT_STREQ(error.what(), "Cannot write to the table Structures: refused here");
        }
    }
}

} // namespace
