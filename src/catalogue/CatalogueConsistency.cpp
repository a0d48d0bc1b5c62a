#include "catalogue/CatalogueConsistency.h"

#include <QSqlQuery>

#include "catalogue/CatalogueNames.h"
#include "catalogue/CatalogueSchema.h"
#include "catalogue/drivers/SqlDialect.h"
#include "catalogue/drivers/SqlErrors.h"

namespace velmora::catalogue {

namespace {

// A finding names this many rows at most; the count says how many there are.
constexpr int NamedRows = 10;

struct ParentLink {
    QString table;
    QString keyField;
    QString parentTable;
    QString parentKey; // the field of both tables that links them
    QString parentKind;
};

QString orphans(const QSqlDatabase& db, const ParentLink& link)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString select = QStringLiteral("SELECT c.%1 FROM %2 c WHERE NOT EXISTS (SELECT 1 FROM %3 p WHERE "
                                          "p.%4 = c.%4) ORDER BY c.%1")
                               .arg(link.keyField, link.table, link.parentTable, link.parentKey);
    if (!query.exec(select))
        throwSqlError(QStringLiteral("Cannot read the table %1").arg(link.table), query);
    QStringList keys;
    int count = 0;
    while (query.next())
        if (++count <= NamedRows)
            keys << query.value(0).toString();
    if (query.lastError().isValid())
        throwSqlError(QStringLiteral("Cannot read the table %1").arg(link.table), query);
    if (count == 0)
        return {};
    if (count > NamedRows)
        keys << QStringLiteral("...");
    return QStringLiteral("%1: %2 %3 whose %4 is gone (%5 %6)")
        .arg(link.table, QString::number(count), count == 1 ? QStringLiteral("row") : QStringLiteral("rows"),
             link.parentKind, link.keyField, keys.join(QStringLiteral(", ")));
}

QStringList missingIndexes(const QSqlDatabase& db)
{
    const SqlDialect& dialect = SqlDialect::of(db);
    if (dialect.presentIndexesQuery.isEmpty())
        return {};
    QSqlQuery query(db);
    if (!query.exec(dialect.presentIndexesQuery))
        throwSqlError(QStringLiteral("Cannot read the catalogue's indexes"), query);
    QStringList present;
    while (query.next())
        present << query.value(0).toString();
    QStringList findings;
    for (const CatalogueSchema::IndexLayout& index : CatalogueSchema::indexes())
        if (!present.contains(index.name.toLower()))
            findings << QStringLiteral("%1: the index %2 (%3) is missing").arg(index.table, index.name, index.fields);
    return findings;
}

} // namespace

QStringList consistencyFindings(const QSqlDatabase& db)
{
    const ParentLink links[] = {
        {names::MembersTable, QStringLiteral("Member_Index"), names::StructuresTable, QStringLiteral("Structure_Index"),
         QStringLiteral("structure")},
        {names::FlagsTable, QStringLiteral("Flag_Index"), names::MembersTable, QStringLiteral("Member_Index"),
         QStringLiteral("member")},
    };
    QStringList findings;
    for (const ParentLink& link : links)
        if (const QString finding = orphans(db, link); !finding.isEmpty())
            findings << finding;
    return findings + missingIndexes(db);
}

} // namespace velmora::catalogue
