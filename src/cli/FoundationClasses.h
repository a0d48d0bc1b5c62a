#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

namespace velmora::catalogue {
class AliasRegistry;
class Database;
}

namespace velmora::cli {

// A --class NAME that is not one of the catalogue's foundation classes.
class UnknownFoundationClass : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The names in the catalogue's foundation-class table, in index order.
QStringList foundationClassNames(catalogue::Database& database);

// Throws UnknownFoundationClass (naming the valid names) unless name is exactly
// one of the catalogue's foundation classes.
void checkFoundationClass(const QString& name, catalogue::Database& database);

// The same for an import that does not write: the check runs when the catalogue
// can be reached; otherwise the name is accepted unchecked, unless the catalogue
// was named for this call (required), whose errors pass through.
void checkFoundationClassIfReachable(const QString& name, const catalogue::AliasRegistry& registry, bool required);

} // namespace velmora::cli
