#include <gtest/gtest.h>

#include "catalogue/CatalogueError.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/Query.h"
#include "catalogue/drivers/SqliteTextReader.h"
#include "support/CatalogueFixture.h"

using namespace velmora::catalogue;
using velmora::testing::CatalogueFixture;

namespace {

struct FieldCase {
    const char* name;
    const char* select;   // one field v, maybe with the placeholder :p
    QVariant bound;
};

// The native read must give every text exactly as the query through the Qt
// driver gives it, whatever SQLite holds.
class SqliteTextReaderTest : public ::testing::TestWithParam<FieldCase> {
protected:
    void SetUp() override { catalogue.database.setConnected(true); }

    CatalogueFixture fixture;
    CatalogueTables catalogue;
};

TEST_P(SqliteTextReaderTest, ReadsEachValueAsTheQueryDoes)
{
    const QString select = QString::fromUtf8(GetParam().select) + QStringLiteral(" union all select 'second'");
    Query query(catalogue.database);
    query.addLine(select);
    if (GetParam().bound.isValid())
        query.bindValue(QStringLiteral(":p"), GetParam().bound);
    QStringList expected;
    for (query.open(); !query.eof(); query.next())
        expected << query.fieldAsString(QStringLiteral("v"));
    query.close();

    SqliteTextReader::Bindings bindings;
    if (GetParam().bound.isValid())
        bindings.append({QStringLiteral(":p"), GetParam().bound});
    const QList<QStringList> read = SqliteTextReader::read(
        SqliteTextReader::connectionOf(catalogue.database.handle()), select, bindings,
        {QStringLiteral("V"), QStringLiteral("v")});
    ASSERT_EQ(read.size(), 2);
    EXPECT_EQ(read[0], expected) << read[0].join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(read[1], expected);
    // What the browser asks: the query's own read, which takes this path on SQLite.
    EXPECT_EQ(query.readTexts({QStringLiteral("v")}), QList<QStringList>{expected});
}

INSTANTIATE_TEST_SUITE_P(
    Values, SqliteTextReaderTest,
    ::testing::Values(FieldCase{"Null", "select null as v", {}}, FieldCase{"Empty", "select '' as v", {}},
                      FieldCase{"Ascii", "select 'DDSURFACEDESC2' as v", {}},
                      FieldCase{"Utf8", "select 'Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80' as v", {}},
                      FieldCase{"MalformedBytes", "select cast(x'636166e9a9' as text) as v", {}},
                      FieldCase{"EncodedSurrogate", "select cast(x'78eda08079' as text) as v", {}},
                      FieldCase{"NulInside", "select cast(x'610062' as text) as v", {}},
                      FieldCase{"Blob", "select x'c3a9e9' as v", {}},
                      FieldCase{"Integer", "select -9223372036854775807 as v", {}},
                      FieldCase{"Real", "select 0.1 + 0.2 as v", {}}, FieldCase{"LargeReal", "select 1e300 as v", {}},
                      FieldCase{"BoundText", "select :p as v", QStringLiteral("Gr\u00fc\u00dfe \U0001F600")},
                      FieldCase{"BoundLoneSurrogate", "select :p as v", QString(QChar(0xD800)) + QStringLiteral("x")},
                      FieldCase{"BoundInteger", "select :p as v", 7},
                      FieldCase{"BoundNull", "select :p as v", QVariant(QMetaType(QMetaType::QString))}),
    [](const ::testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    const char* select;
    const char* field;
};

std::string queryError(Database& database, const FailureCase& c)
{
    try {
        Query query(database);
        query.addLine(QString::fromUtf8(c.select));
        for (query.open(); !query.eof(); query.next())
            query.fieldAsString(QString::fromUtf8(c.field));
    } catch (const CatalogueError& e) {
        return e.what();
    }
    return "no error";
}

std::string readerError(Database& database, const FailureCase& c)
{
    try {
        SqliteTextReader::read(SqliteTextReader::connectionOf(database.handle()), QString::fromUtf8(c.select), {},
                               {QString::fromUtf8(c.field)});
    } catch (const CatalogueError& e) {
        return e.what();
    }
    return "no error";
}

TEST(SqliteTextReaderErrorTest, FailuresReadAsTheQuerysDo)
{
    const FailureCase cases[] = {
        {"NoSuchTable", "select v from Missing_Table", "v"},
        {"FailsWhileStepping", "select abs(-9223372036854775807 - 1) as v", "v"},
        {"NoSuchField", "select 1 as v", "w"},
    };
    CatalogueFixture fixture;
    CatalogueTables catalogue;
    catalogue.database.setConnected(true);
    for (const FailureCase& c : cases) {
        const std::string expected = queryError(catalogue.database, c);
        EXPECT_NE(expected, "no error") << c.name;
        EXPECT_EQ(readerError(catalogue.database, c), expected) << c.name;
    }
}

TEST(SqliteTextReaderErrorTest, OnlySqliteConnectionsHaveOne)
{
    EXPECT_EQ(SqliteTextReader::connectionOf(QSqlDatabase()), nullptr);
}

} // namespace
