#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/drivers/PostgresRowAppender.h"
#include "catalogue/drivers/QtSqlRowAppender.h"
#include "catalogue/drivers/SqlConnection.h"
#include "catalogue/drivers/SqliteRowAppender.h"
#include "support/CatalogueFixture.h"

using namespace velmora::catalogue;
using velmora::testing::CatalogueFixture;
using velmora::testing::Driver;

namespace {

struct TextCase {
    const char* name;
    std::string text;
};

// The engine's own path (SQLite's statements, PostgreSQL's COPY) must store
// what the Qt SQL path stores, byte for byte.
class RowAppenderTest : public ::testing::TestWithParam<std::tuple<Driver, TextCase>> {
protected:
    void SetUp() override { catalogue.database.setConnected(true); }

    bool onServer() const { return std::get<0>(GetParam()) == Driver::Postgres; }

    std::unique_ptr<RowAppender> appender(bool native)
    {
        const QStringList columns = {QStringLiteral("Structure_Name"), QStringLiteral("Conversion_Status")};
        const QString key = QStringLiteral("Structure_Index");
        const QSqlDatabase db = catalogue.database.handle();
        if (native && onServer())
            return std::make_unique<PostgresRowAppender>(libpqConnection(db), names::StructuresTable,
                                                         key, columns, 1);
        if (native)
            return std::make_unique<SqliteRowAppender>(SqliteRowAppender::nativeHandle(db), names::StructuresTable, columns);
        return std::make_unique<QtSqlRowAppender>(db, names::StructuresTable, key, columns);
    }

    CatalogueFixture fixture{std::get<0>(GetParam())};
    CatalogueTables catalogue;
};

TEST_P(RowAppenderTest, BothPathsStoreTheSameValuesAndReturnTheNewKeys)
{
    const std::string& text = std::get<1>(GetParam()).text;
    if (onServer() && text.find('\0') != std::string::npos) {
        // A server text cannot hold NUL: both paths refuse the row.
        for (const bool native : {false, true}) {
            const auto rows = appender(native);
            EXPECT_THROW(rows->setText(0, text); rows->append(); rows->finish(), CatalogueError);
        }
        return;
    }
    catalogue.database.beginTransaction();
    long long keys[2] = {};
    for (const bool native : {false, true}) {
        const auto rows = appender(native);
        rows->setText(0, text);
        rows->setInteger(1, 7);
        keys[native] = rows->append();
        rows->finish();
    }
    catalogue.database.commit();
    EXPECT_EQ(keys[0], 1);
    EXPECT_EQ(keys[1], 2);
    const QStringList stored = fixture.rows(
        onServer() ? QStringLiteral("SELECT pg_typeof(Structure_Name), encode(convert_to(Structure_Name, 'UTF8'), 'hex'), "
                                    "pg_typeof(Conversion_Status), Conversion_Status FROM Structures ORDER BY Structure_Index")
                   : QStringLiteral("SELECT typeof(Structure_Name), hex(Structure_Name), typeof(Conversion_Status), "
                                    "Conversion_Status FROM Structures ORDER BY Structure_Index"));
    ASSERT_EQ(stored.size(), 2) << stored.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(stored[1], stored[0]);
    EXPECT_TRUE(stored[0].startsWith(QStringLiteral("text|"))) << stored[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(Texts, RowAppenderTest,
                         ::testing::Combine(::testing::Values(Driver::Embedded, Driver::Postgres), ::testing::Values(TextCase{"Empty", ""}, TextCase{"Ascii", "DDSURFACEDESC2 dwFlags"},
                                           TextCase{"ControlCharacters", "tab\there\r\nnext line"},
                                           TextCase{"NulInside", std::string("before\0after", 12)},
                                           TextCase{"Utf8", "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80"},
                                           TextCase{"Latin1Bytes", "caf\xE9 \xA9 1998"},
                                           TextCase{"ByteOrderMark", "\xEF\xBB\xBF" "DDCAPS"},
                                           TextCase{"EncodedSurrogate", "x\xED\xA0\x80y"},
                                           TextCase{"Overlong", "a\xC0\xAF" "b"},
                                           TextCase{"Truncated", "end\xE2\x82"})),
                         [](const auto& info) {
                             return std::string(velmora::testing::driverName(std::get<0>(info.param))) +
                                    std::get<1>(info.param).name;
                         });

struct RefusalCase {
    Driver driver;
    const char* refusal;   // makes the table refuse a row named S
    const char* message;   // what the engine says, as both paths report it
};

class RowAppenderErrorTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RowAppenderErrorTest, AFailedInsertNamesTheTableAndTheEngineMessageOnBothPaths)
{
    CatalogueFixture fixture(GetParam().driver);
    ASSERT_TRUE(fixture.exec(QString::fromUtf8(GetParam().refusal))) << fixture.lastError().toStdString();
    CatalogueTables catalogue;
    catalogue.database.setConnected(true);
    const QSqlDatabase db = catalogue.database.handle();
    const QStringList columns = {QStringLiteral("Structure_Name")};
    const QString key = QStringLiteral("Structure_Index");
    std::unique_ptr<RowAppender> paths[] = {
        std::make_unique<QtSqlRowAppender>(db, names::StructuresTable, key, columns),
        GetParam().driver == Driver::Postgres
            ? std::unique_ptr<RowAppender>(std::make_unique<PostgresRowAppender>(
                  libpqConnection(db), names::StructuresTable, key, columns, 1))
            : std::make_unique<SqliteRowAppender>(SqliteRowAppender::nativeHandle(db), names::StructuresTable, columns)};
    for (const auto& rows : paths) {
        rows->setText(0, "S");
        try {
            rows->append();
            rows->finish();
            ADD_FAILURE() << "the table must refuse the row";
        } catch (const CatalogueError& error) {
            const std::string text = error.what();
            EXPECT_EQ(text.rfind("Cannot write to the table Structures: ", 0), 0u) << text;
            EXPECT_NE(text.find(GetParam().message), std::string::npos) << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, RowAppenderErrorTest,
    ::testing::Values(RefusalCase{Driver::Embedded,
                                  "CREATE TRIGGER refused BEFORE INSERT ON Structures "
                                  "BEGIN SELECT RAISE(ABORT, 'refused here'); END",
                                  "refused here"},
                      RefusalCase{Driver::Postgres,
                                  "ALTER TABLE Structures ADD CONSTRAINT refused CHECK (Structure_Name <> 'S')",
                                  "violates check constraint \"refused\""}),
    [](const auto& info) { return std::string(velmora::testing::driverName(info.param.driver)); });

} // namespace
