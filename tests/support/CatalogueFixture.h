#pragma once

// The one way tests get a real catalogue: a temporary folder, a catalogue file
// made by the program's own set-up, the alias Corvane registered on it, and a
// connection of the test's own to add rows and read back what was stored.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <ostream>

#include "catalogue/AliasRegistry.h"
#include "support/PostgresTestServer.h"
#include "support/TempCatalogueEnv.h"

namespace velmora::testing {

// A second, independent connection to a catalogue file: what another process
// would see. Tests that hold a lock or tamper with the file keep one open.
class RawCatalogue {
public:
    explicit RawCatalogue(const QString& path, const QString& name = QString());   // empty name: a unique one
    explicit RawCatalogue(const catalogue::AliasEntry& entry, const QString& name = QString());
    ~RawCatalogue();
    RawCatalogue(const RawCatalogue&) = delete;
    RawCatalogue& operator=(const RawCatalogue&) = delete;

    bool exec(const QString& sql, const QVariantList& values = {});
    // Every row as its fields joined by '|'; a failing select gives one "ERROR: ..." row.
    QStringList rows(const QString& sql, const QVariantList& values = {});
    QVariant value(const QString& sql, const QVariantList& values = {});   // first field of the first row; throws
    int rowCount(const QString& table);
    QVariant lastInsertId() const { return lastInsertId_; }
    const QString& lastError() const { return lastError_; }

private:
    QString name_;
    QString lastError_;
    QVariant lastInsertId_;
};

// The two places a catalogue lives; suites that hold for both run once for each.
enum class Driver { Embedded, Postgres };
inline void PrintTo(Driver driver, std::ostream* os) { *os << (driver == Driver::Embedded ? "Embedded" : "Postgres"); }
inline const char* driverName(Driver driver) { return driver == Driver::Embedded ? "Embedded" : "Postgres"; }

class CatalogueFixture {
public:
    static constexpr int DirectDraw = 1;   // the foundation classes are numbered in their fixed order

    // Creates the catalogue and registers the alias on it: a file, or a schema
    // of its own in the shared test server.
    explicit CatalogueFixture(Driver driver = Driver::Embedded);

    const TempCatalogueEnv& env() const { return env_; }
    const QString& path() const { return path_; }
    // Points the alias at this catalogue through another driver name.
    void registerAlias(const QString& driver) const;

    int foundationClass(const QString& name);   // 0 when there is none

    // Rows as an import and an edit leave them; each returns its number. An
    // empty BCB name gets one made from the name ("T" + name for structures,
    // "F" + name for members).
    int addStructure(const QString& name, const QString& bcbName = {}, const QString& bcbDescription = {},
                     int status = 0, int foundationClass = DirectDraw);
    int addMember(int structure, const QString& name, const QString& bcbName = {},
                  const QString& bcbDescription = {}, int status = 0);
    int addFlag(int member, const QString& name, const QString& bcbDescription = {}, int status = 0);

    // What another program reads from the file, each call on a connection of its own.
    QVariant stored(const QString& table, const QString& keyField, int key, const QString& field);
    int rowCount(const QString& table);
    QStringList rows(const QString& sql);
    bool exec(const QString& sql);   // false on failure; lastError() says why
    const QString& lastError() const { return lastError_; }

private:
    int insert(const QString& sql, const QString& keyField, const QVariantList& values);
    RawCatalogue raw() const;

    TempCatalogueEnv env_;
    std::unique_ptr<PostgresScratchSchema> server_;
    QString path_;
    QString lastError_;
};

} // namespace velmora::testing
