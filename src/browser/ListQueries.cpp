#include "browser/ListQueries.h"

#include "catalogue/CatalogueNames.h"
#include "catalogue/Query.h"
#include "catalogue/drivers/SqlDialect.h"

namespace velmora::browser {

namespace names = catalogue::names;

ListRows ListQueries::structures(const QString& foundationClassCaption)
{
    query_.close();
    query_.clearSql();
    query_.addLine(QStringLiteral(" select s.Structure_Name, s.BCB_Name from %1 s, %2 f ")
                       .arg(names::StructuresTable, names::FoundationClassesTable));
    query_.addLine(QStringLiteral(" where s.Foundation_Class_Index = f.Foundation_Class_Index "));
    query_.addLine(QStringLiteral(" and f.Foundation_Class_Name = :caption "));
    query_.addLine(QStringLiteral(" order by %1, s.Structure_Index ").arg(byteOrder(QStringLiteral("s.Structure_Name"))));
    return collect(QStringLiteral(":caption"), foundationClassCaption, QStringLiteral("Structure_Name"),
                   QStringLiteral("BCB_Name"));
}

ListRows ListQueries::members(int structureIndex)
{
    query_.close();
    query_.clearSql();
    query_.addLine(QStringLiteral(" select Member_Name, BCB_Name from %1").arg(names::MembersTable));
    query_.addLine(QStringLiteral(" where Structure_Index = :structure "));
    query_.addLine(QStringLiteral(" order by %1, Member_Index ").arg(byteOrder(QStringLiteral("Member_Name"))));
    return collect(QStringLiteral(":structure"), structureIndex, QStringLiteral("Member_Name"),
                   QStringLiteral("BCB_Name"));
}

ListRows ListQueries::flags(int memberIndex)
{
    query_.close();
    query_.clearSql();
    query_.addLine(QStringLiteral(" select Flag_Name from %1 ").arg(names::FlagsTable));
    query_.addLine(QStringLiteral(" where Member_Index = :member "));
    query_.addLine(QStringLiteral(" order by %1, Flag_Index ").arg(byteOrder(QStringLiteral("Flag_Name"))));
    // A flag shows its DirectX name on both pages.
    return collect(QStringLiteral(":member"), memberIndex, QStringLiteral("Flag_Name"), QStringLiteral("Flag_Name"));
}

QString ListQueries::byteOrder(const QString& column) const
{
    return query_.dialect().byteOrder(column);
}

ListRows ListQueries::collect(const QString& placeholder, const QVariant& value, const QString& viewField,
                              const QString& editField)
{
    query_.bindValue(placeholder, value);
    const QList<QStringList> texts = query_.readTexts({viewField, editField});
    return {texts[0], texts[1]};
}

} // namespace velmora::browser
