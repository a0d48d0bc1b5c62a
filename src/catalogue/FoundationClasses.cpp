#include "catalogue/FoundationClasses.h"

#include "catalogue/CatalogueNames.h"
#include "catalogue/Database.h"
#include "catalogue/Query.h"

namespace velmora::catalogue {

QStringList foundationClassNames(Database& database)
{
    Query query(database);
    query.addLine(QStringLiteral(" select Foundation_Class_Name from %1 ").arg(names::FoundationClassesTable));
    query.addLine(QStringLiteral(" order by Foundation_Class_Index "));
    query.open();
    QStringList found;
    for (; !query.eof(); query.next())
        found << query.fieldAsString(QStringLiteral("Foundation_Class_Name"));
    query.close();
    return found;
}

void checkFoundationClass(const QString& name, Database& database)
{
    const QStringList valid = foundationClassNames(database);
    if (!valid.contains(name))
        throw UnknownFoundationClass(QStringLiteral("unknown foundation class '%1'; NAME is one of %2")
                                         .arg(name, valid.join(QStringLiteral(", ")))
                                         .toStdString());
}

} // namespace velmora::catalogue
