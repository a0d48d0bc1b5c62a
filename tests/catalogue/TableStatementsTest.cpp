#include <gtest/gtest.h>

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueTables.h"
#include "catalogue/TableStatements.h"
#include "catalogue/drivers/SqlDialect.h"
#include "support/CatalogueFixture.h"

namespace velmora::catalogue {
namespace {

const QString Key = QStringLiteral("Member_Index");
const QStringList Columns = {Key, QStringLiteral("Structure_Index"), QStringLiteral("Member_Name")};
const QStringList Order = {QStringLiteral("Structure_Index"), QStringLiteral("Member_Name")};

// Each text runs as the cursor runs it, on the embedded file and on the server.
class TableStatementsTest : public ::testing::TestWithParam<testing::Driver> {
protected:
    void SetUp() override
    {
        tables.database.setConnected(true);
        first = cat.addStructure(QStringLiteral("DDCAPS"));
        second = cat.addStructure(QStringLiteral("DDCOLORKEY"));
        cat.addMember(first, QStringLiteral("dwCaps"));
        cat.addMember(first, QStringLiteral("dwSize"));
        cat.addMember(second, QStringLiteral("dwColorSpaceLowValue"));
    }

    TableStatements text() const { return {SqlDialect::of(tables.database.handle()), names::MembersTable, Key}; }

    // The member name of the first row the text gives, "-" for none.
    QString firstName(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query = run(sql, values);
        return query.next() ? query.value(2).toString() : QStringLiteral("-");
    }
    QSqlQuery run(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(tables.database.handle());
        EXPECT_TRUE(query.prepare(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        EXPECT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return query;
    }

    testing::CatalogueFixture cat{GetParam()};
    CatalogueTables tables;
    int first = 0;
    int second = 0;
};

TEST_P(TableStatementsTest, OrderedReadsLandOnTheFirstLastAndNearestRow)
{
    EXPECT_EQ(firstName(text().selectFirst(Columns, Order)), QStringLiteral("dwCaps"));
    EXPECT_EQ(firstName(text().selectLast(Columns, Order)), QStringLiteral("dwColorSpaceLowValue"));
    const struct {
        QVariantList key;
        QString expected;
    } seeks[] = {
        {{first}, QStringLiteral("dwCaps")},
        {{second}, QStringLiteral("dwColorSpaceLowValue")},
        {{second + 1}, QStringLiteral("-")},
        {{first, QStringLiteral("dwCb")}, QStringLiteral("dwSize")},
        {{first, QStringLiteral("dwSize")}, QStringLiteral("dwSize")},
        {{first, QStringLiteral("dwT")}, QStringLiteral("dwColorSpaceLowValue")},
    };
    for (const auto& seek : seeks)
        EXPECT_EQ(firstName(text().selectNearest(Columns, Order, int(seek.key.size())), seek.key), seek.expected)
            << seek.key.size() << " key fields, " << seek.key.last().toString().toStdString();
}

TEST_P(TableStatementsTest, WritesInsertUpdateAndDeleteTheRowsTheyName)
{
    QSqlQuery insert = run(text().insertRow({QStringLiteral("Structure_Index"), QStringLiteral("Member_Name"),
                                           QStringLiteral("Member_Type"), QStringLiteral("BCB_Name"),
                                           QStringLiteral("Conversion_Status")}),
                           {second, QStringLiteral("dwColorSpaceHighValue"), QStringLiteral("DWORD"),
                            QStringLiteral("FdwColorSpaceHighValue"), 0});
    const QVariant key = insert.next() ? insert.value(0) : insert.lastInsertId();
    insert.finish();
    ASSERT_TRUE(key.isValid());
    QSqlQuery latest = run(text().latestKey());
    ASSERT_TRUE(latest.next());
    EXPECT_EQ(latest.value(0).toLongLong(), key.toLongLong());

    const QString update = text().updateRow({QStringLiteral("Member_Name")});
    EXPECT_EQ(run(update, {QStringLiteral("dwStale"), key, QStringLiteral("dwOther")}).numRowsAffected(), 0);
    EXPECT_EQ(run(update, {QStringLiteral("dwHigh"), key, QStringLiteral("dwColorSpaceHighValue")}).numRowsAffected(), 1);
    EXPECT_EQ(firstName(text().selectByKey(Columns), {key}), QStringLiteral("dwHigh"));
    EXPECT_EQ(cat.rowCount(names::MembersTable), 4);
    EXPECT_EQ(run(text().deleteAllRows()).numRowsAffected(), 4);
    EXPECT_EQ(cat.rowCount(names::MembersTable), 0);
    EXPECT_TRUE(run(text().probeColumns()).record().count() >= Columns.size());
}

INSTANTIATE_TEST_SUITE_P(Drivers, TableStatementsTest,
                         ::testing::Values(testing::Driver::Embedded, testing::Driver::Postgres),
                         [](const auto& info) { return std::string(testing::driverName(info.param)); });

} // namespace
} // namespace velmora::catalogue
