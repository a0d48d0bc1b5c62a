#include <gtest/gtest.h>

#include <QRegularExpression>

#include "catalogue/CatalogueSchema.h"
#include "catalogue/CatalogueTestSupport.h"

using namespace velmora::catalogue;
using velmora::testing::CatalogueFixture;
using velmora::testing::RawCatalogue;

namespace {

// Every plan step joined, so a test can look for a temporary sort or a full scan.
QString plan(RawCatalogue& raw, const QString& select)
{
    return raw.rows(QStringLiteral("EXPLAIN QUERY PLAN ") + select).join(QStringLiteral(" / "));
}

TEST(CatalogueSchemaTest, EveryFieldOfEveryTableIsThereInOrder)
{
    CatalogueFixture fixture;
    const QString& path = fixture.path();
    RawCatalogue raw(path);
    const QStringList members = raw.rows(QStringLiteral("SELECT name FROM pragma_table_info('Structure_Members')"));
    EXPECT_EQ(members, QStringList({QStringLiteral("Member_Index"), QStringLiteral("Foundation_Class_Index"),
                                    QStringLiteral("Structure_Index"), QStringLiteral("Member_Name"),
                                    QStringLiteral("Member_Type"), QStringLiteral("Member_Description"),
                                    QStringLiteral("BCB_Name"), QStringLiteral("BCB_Type"),
                                    QStringLiteral("BCB_Description"), QStringLiteral("Conversion_Status")}));
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT name FROM pragma_table_info('Structure_Member_Flags')")).size(), 8);
    EXPECT_EQ(raw.rows(QStringLiteral("SELECT name FROM pragma_table_info('Structures')")).size(), 7);
}

TEST(CatalogueSchemaTest, IndexFieldListsAndTheBrowsersQueriesNeedNoSortAndNoScan)
{
    CatalogueFixture fixture;
    const QString& path = fixture.path();
    RawCatalogue raw(path);
    for (const auto& [table, fields] :
         {std::pair{names::StructuresTable, names::StructuresIndexFields},
          std::pair{names::MembersTable, names::MembersIndexFields}, std::pair{names::FlagsTable, names::FlagsIndexFields}}) {
        const QString order = QString(fields).replace(QLatin1Char(';'), QStringLiteral(", "));
        const QString steps = plan(raw, QStringLiteral("SELECT * FROM %1 ORDER BY %2 LIMIT 1").arg(table, order));
        EXPECT_FALSE(steps.contains(QStringLiteral("TEMP B-TREE"))) << steps.toStdString();
    }
    const QStringList browserSelects = {
        QStringLiteral("SELECT Structure_Name, BCB_Name FROM Structures s, Foundation_Classes f "
                       "WHERE s.Foundation_Class_Index = f.Foundation_Class_Index AND f.Foundation_Class_Name = 'DirectDraw' "
                       "ORDER BY Structure_Name"),
        QStringLiteral("SELECT Member_Name, BCB_Name FROM Structure_Members WHERE Structure_Index = 1 ORDER BY Member_Name"),
        QStringLiteral("SELECT Flag_Name FROM Structure_Member_Flags WHERE Member_Index = 1 ORDER BY Flag_Name"),
        QStringLiteral("SELECT Structure_Index FROM Structures WHERE Structure_Name = 'DDCOLORKEY'"),
        QStringLiteral("SELECT Member_Index FROM Structure_Members WHERE Member_Name = 'dwSize' AND Structure_Index = 1"),
        QStringLiteral("SELECT Flag_Index FROM Structure_Member_Flags WHERE Flag_Name = 'F' AND Member_Index = 1"),
        QStringLiteral("SELECT Foundation_Class_Index FROM Foundation_Classes WHERE Foundation_Class_Name = 'DirectDraw'"),
    };
    // The lists of a whole class and of a structure read no table rows.
    for (const QString& list :
         {QStringLiteral("SELECT s.Structure_Name, s.BCB_Name FROM Structures s, Foundation_Classes f "
                         "WHERE s.Foundation_Class_Index = f.Foundation_Class_Index AND f.Foundation_Class_Name = 'DirectDraw' "
                         "ORDER BY s.Structure_Name, s.Structure_Index"),
          QStringLiteral("SELECT Member_Name, BCB_Name FROM Structure_Members WHERE Structure_Index = 1 "
                         "ORDER BY Member_Name, Member_Index")}) {
        const QString steps = plan(raw, list);
        EXPECT_FALSE(steps.contains(QStringLiteral("TEMP B-TREE"))) << steps.toStdString();
        EXPECT_TRUE(QRegularExpression(QStringLiteral("SEARCH (s|Structure_Members) USING COVERING INDEX")).match(steps).hasMatch())
            << steps.toStdString();
    }
    for (const QString& select : browserSelects) {
        const QString steps = plan(raw, select);
        EXPECT_FALSE(steps.contains(QStringLiteral("TEMP B-TREE"))) << steps.toStdString();
        EXPECT_FALSE(QRegularExpression(QStringLiteral("SCAN (s|Structures|Structure_Members|Structure_Member_Flags)\\b"))
                         .match(steps)
                         .hasMatch())
            << steps.toStdString();
    }
}

} // namespace
