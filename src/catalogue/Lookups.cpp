#include "catalogue/Lookups.h"

#include "catalogue/CatalogueNames.h"
#include "catalogue/Query.h"
#include "catalogue/Table.h"

namespace velmora::catalogue {

int Lookups::foundationClass(const QString& caption)
{
    return lowestNumber(QStringLiteral("Foundation_Class_Index"), names::FoundationClassesTable,
                        QStringLiteral("Foundation_Class_Name"), caption, QString(), 0);
}

int Lookups::structure(const QString& name, int foundationClassIndex)
{
    return lowestNumber(QStringLiteral("Structure_Index"), names::StructuresTable,
                        QStringLiteral("Structure_Name"), name,
                        QStringLiteral("Foundation_Class_Index"), foundationClassIndex);
}

int Lookups::member(const QString& name, int structureIndex)
{
    return lowestNumber(QStringLiteral("Member_Index"), names::MembersTable, QStringLiteral("Member_Name"),
                        name, QStringLiteral("Structure_Index"), structureIndex);
}

int Lookups::flag(const QString& name, int memberIndex)
{
    return lowestNumber(QStringLiteral("Flag_Index"), names::FlagsTable, QStringLiteral("Flag_Name"), name,
                        QStringLiteral("Member_Index"), memberIndex);
}

int Lookups::lowestNumber(const QString& numberField, const QString& table, const QString& nameField,
                          const QString& name, const QString& scopeField, int scope)
{
    query_.close();
    query_.clearSql();
    // min() always yields one row: NULL (read as 0) when nothing matches.
    query_.addLine(QStringLiteral(" select min(%1) as %1 from %2 ").arg(numberField, table));
    query_.addLine(QStringLiteral(" where %1 = :name ").arg(nameField));
    if (!scopeField.isEmpty())
        query_.addLine(QStringLiteral(" and %1 = :scope ").arg(scopeField));
    query_.bindValue(QStringLiteral(":name"), name);
    if (!scopeField.isEmpty())
        query_.bindValue(QStringLiteral(":scope"), scope);
    query_.open();
    query_.first();
    const int number = query_.eof() ? 0 : static_cast<int>(query_.fieldAsInteger(numberField));
    query_.close();
    return number;
}

void positionOnNumber(Table& table, int number)
{
    table.close();
    table.setIndexFieldNames(table.keyField());
    table.open();
    table.setKey();
    table.setKeyField(table.keyField(), number);
    table.gotoNearest();
}

} // namespace velmora::catalogue
