#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace velmora::catalogue {

class Database;

// A foundation class name that is not one of the catalogue's.
class UnknownFoundationClass : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The names in the catalogue's foundation-class table, in index order.
QStringList foundationClassNames(Database& database);

// Throws UnknownFoundationClass (naming the valid names) unless name is exactly
// one of the catalogue's foundation classes.
void checkFoundationClass(const QString& name, Database& database);

} // namespace velmora::catalogue
