#pragma once

#include <QString>
#include <QVariant>

namespace velmora::catalogue {

// A field's value read as an integer, for the table cursor and the scratch
// query alike: NULL or a blank text reads as 0; any other value that is not a
// whole number throws CatalogueError naming the field.
long long integerFieldValue(const QVariant& value, const QString& field);

} // namespace velmora::catalogue
