#include "catalogue/FieldValue.h"

#include "catalogue/CatalogueError.h"

namespace velmora::catalogue {

long long integerFieldValue(const QVariant& value, const QString& field)
{
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().trimmed().isEmpty()))
        return 0;
    bool ok = false;
    const long long number = value.toLongLong(&ok);
    if (!ok)
        throw CatalogueError(QStringLiteral("'%1' is not a valid integer value for the field %2")
                                 .arg(value.toString(), field));
    return number;
}

} // namespace velmora::catalogue
